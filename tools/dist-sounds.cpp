// dist-sounds DIR: writes DIR/CLICK.WAV and DIR/SWITCH.WAV, the two sounds the
// gauges play: a short pushbutton click and a heavier toggle-switch snap.
// Synthesised (decaying tones and noise), 16-bit mono PCM at 22050 Hz, the
// same bytes on every run.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

// Deterministic noise in [-1, 1].
struct Noise {
  uint32_t state = 0x12345678;
  double next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / static_cast<double>(1u << 23) - 1.0;
  }
};

// One mechanical strike at `at` seconds: a tone and a burst of noise, both
// dying away exponentially.
void strike(std::vector<double>& out, double at, double tone_hz, double tone_decay, double noise_decay,
            double level, Noise& noise) {
  const size_t first = static_cast<size_t>(at * kRate);
  for (size_t i = first; i < out.size(); ++i) {
    const double t = static_cast<double>(i - first) / kRate;
    out[i] += level * (0.6 * std::sin(2 * kPi * tone_hz * t) * std::exp(-t / tone_decay) +
                       0.4 * noise.next() * std::exp(-t / noise_decay));
  }
}

void put16(std::string& bytes, uint16_t v) {
  bytes += static_cast<char>(v & 0xFF);
  bytes += static_cast<char>(v >> 8);
}
void put32(std::string& bytes, uint32_t v) {
  put16(bytes, static_cast<uint16_t>(v & 0xFFFF));
  put16(bytes, static_cast<uint16_t>(v >> 16));
}

bool write_wav(const std::string& file, const std::vector<double>& samples) {
  const uint32_t data_size = static_cast<uint32_t>(samples.size() * 2);
  std::string bytes = "RIFF";
  put32(bytes, 36 + data_size);
  bytes += "WAVEfmt ";
  put32(bytes, 16);
  put16(bytes, 1);  // PCM
  put16(bytes, 1);  // mono
  put32(bytes, kRate);
  put32(bytes, kRate * 2);
  put16(bytes, 2);
  put16(bytes, 16);
  bytes += "data";
  put32(bytes, data_size);
  for (double s : samples) {
    const double clipped = std::fmax(-1.0, std::fmin(1.0, s));
    put16(bytes, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clipped * 32000))));
  }
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: dist-sounds DIR\n", stderr);
    return 2;
  }
  const std::string dir = argv[1];
  Noise noise;

  std::vector<double> click(static_cast<size_t>(0.035 * kRate));
  strike(click, 0.0, 3200, 0.004, 0.0015, 0.9, noise);

  std::vector<double> toggle(static_cast<size_t>(0.090 * kRate));
  strike(toggle, 0.0, 900, 0.010, 0.003, 0.8, noise);    // the lever leaves its stop
  strike(toggle, 0.028, 1800, 0.008, 0.002, 1.0, noise);  // and snaps into the other

  if (!write_wav(dir + "/CLICK.WAV", click) || !write_wav(dir + "/SWITCH.WAV", toggle)) {
    std::fprintf(stderr, "dist-sounds: cannot write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
