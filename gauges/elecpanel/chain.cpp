// The element chain, in draw order from the panel face up: the two lamps,
// the 32 labels, then the five levers.
#include "elecpanel.h"

namespace vortane::elecpanel {
namespace {

// Lamps are always lit: they glow with the button's own state.
double VORTANE_CALL dc_lamp(Element* element) {
  set_lit(element, true);
  return dc_button;
}

double VORTANE_CALL ac_lamp(Element* element) {
  set_lit(element, true);
  return ac_button;
}

// Levers are panel artwork, never lit.
double VORTANE_CALL dc_service_lever(Element*) { return dc_service_switch; }
// Whatever the simulator holds, even a value other than 0 or 1.
double VORTANE_CALL battery_lever(Element*) { return battery_master(); }
double VORTANE_CALL gen1_lever(Element*) { return gen1_switch; }
double VORTANE_CALL apu_gen_lever(Element*) { return apu_gen_switch; }
double VORTANE_CALL gen2_lever(Element*) { return gen2_switch; }

// Lit with the panel, then the words; the number of the format lands far
// right of the box, so only the words show.
template <FormatText format>
double VORTANE_CALL label(Element* element) {
  light_with_panel(element, battery_master());
  return write_label(element, format.text);
}

constexpr const char* arial = "Arial";
constexpr const char* arial_narrow = "Arial Narrow";
constexpr uint32_t amber = 0x4080ff;
constexpr uint32_t pale_yellow = 0x80ffff;

template <FormatText format>
constexpr StringElement label_at(PixelPoint position, BoxSize box, const char* font, uint32_t second_colour,
                                 Element** children) {
  return string_at(position, box, token(0), {0xffffff, second_colour, 0x000000}, font, label<format>, children);
}

constexpr IconElement icon_at(uint32_t resource, PixelPoint position, uint32_t images, ElementCallback callback,
                              Element** children) {
  return IconElement{
      .element = element_at(ElementKind::icon, resource, position, {0, 0}, children),
      .source = token(0),
      .switch_type = 3,
      .image_count = images,
      .callback = callback,
  };
}

extern StaticImageElement panel_face;
extern IconElement dc_button_lamp, ac_button_lamp;
extern StringElement ac_name, panel_title, dc_word, service_word, battery_word, master_word,
    dc_service_off, dc_service_on, gen1_name, apu_gen_name, gen2_name, battery_off, battery_on, idg1_name,
    ac_power_title, idg2_name, idg1_disc, ac_ess_xfer_title, idg2_disc, gen1_off_reset, apu_gen_off_reset,
    gen2_off_reset, gen1_on, apu_gen_on, gen2_on, dc_power_title, xfer_word, auto_word, tie1_name, tie2_name,
    ess_tie_name, dc_name;
extern IconElement dc_service_lever_icon, battery_lever_icon, gen1_lever_icon, apu_gen_lever_icon, gen2_lever_icon;

StaticImageElement panel_face = {
    .element = element_at(ElementKind::static_image, 0x100, {0, 0}, {0, 0}, followed_by<dc_button_lamp>),
};

IconElement dc_button_lamp = icon_at(0x1900, {104, 14}, 3, dc_lamp, followed_by<ac_button_lamp>);
IconElement ac_button_lamp = icon_at(0x2000, {143, 13}, 3, ac_lamp, followed_by<ac_name>);

// Every box reaches to x = 192, just past the panel's right edge.
// clang-format off
StringElement ac_name             = label_at<"AC%200.0f">(                       {151,  43}, { 41, 11}, arial,        amber,       followed_by<panel_title>);
StringElement panel_title         = label_at<"ELECTRICAL POWER SERVICES%400.0f">({ 26,   0}, {166, 11}, arial,        pale_yellow, followed_by<dc_word>);
StringElement dc_word             = label_at<"DC%400.0f">(                       { 28,  10}, {164, 11}, arial,        pale_yellow, followed_by<service_word>);
StringElement service_word        = label_at<"SERVICE%400.0f">(                  { 20,  17}, {172, 11}, arial,        pale_yellow, followed_by<battery_word>);
StringElement battery_word        = label_at<"BATTERY%400.0f">(                  { 62,  10}, {130, 11}, arial,        amber,       followed_by<master_word>);
StringElement master_word         = label_at<"MASTER%400.0f">(                   { 64,  17}, {128, 11}, arial,        amber,       followed_by<dc_service_off>);
StringElement dc_service_off      = label_at<"OFF%400.0f">(                      { 12,  32}, {180, 11}, arial,        pale_yellow, followed_by<dc_service_on>);
StringElement dc_service_on       = label_at<"ON%400.0f">(                       { 12,  41}, {180, 11}, arial,        pale_yellow, followed_by<gen1_name>);
StringElement gen1_name           = label_at<"GEN 1%400.0f">(                    { 24, 108}, {168, 11}, arial,        pale_yellow, followed_by<apu_gen_name>);
StringElement apu_gen_name        = label_at<"APU GEN%400.0f">(                  { 81, 108}, {111, 11}, arial,        pale_yellow, followed_by<gen2_name>);
StringElement gen2_name           = label_at<"GEN 2%400.0f">(                    {143, 108}, { 49, 11}, arial,        pale_yellow, followed_by<battery_off>);
StringElement battery_off         = label_at<"OFF%400.0f">(                      { 51,  32}, {141, 11}, arial,        amber,       followed_by<battery_on>);
StringElement battery_on          = label_at<"ON%400.0f">(                       { 51,  41}, {141, 11}, arial,        amber,       followed_by<idg1_name>);
StringElement idg1_name           = label_at<"IDG 1%400.0f">(                    { 29,  50}, {163, 11}, arial,        pale_yellow, followed_by<ac_power_title>);
StringElement ac_power_title      = label_at<"AC POWER%400.0f">(                 { 74,  50}, {118, 11}, arial,        pale_yellow, followed_by<idg2_name>);
StringElement idg2_name           = label_at<"IDG 2%400.0f">(                    {144,  50}, { 48, 11}, arial,        pale_yellow, followed_by<idg1_disc>);
StringElement idg1_disc           = label_at<"DISC%400.0f">(                     { 25, 100}, {167, 11}, arial,        pale_yellow, followed_by<ac_ess_xfer_title>);
StringElement ac_ess_xfer_title   = label_at<"AC ESS XFER%400.0f">(              { 80, 100}, {112, 11}, arial,        pale_yellow, followed_by<idg2_disc>);
StringElement idg2_disc           = label_at<"DISC%400.0f">(                     {142, 100}, { 50, 11}, arial,        pale_yellow, followed_by<gen1_off_reset>);
StringElement gen1_off_reset      = label_at<"OFF/RESET%400.0f">(                { 42, 118}, {150, 11}, arial_narrow, pale_yellow, followed_by<apu_gen_off_reset>);
StringElement apu_gen_off_reset   = label_at<"OFF/RESET%400.0f">(                {104, 118}, { 88, 11}, arial_narrow, pale_yellow, followed_by<gen2_off_reset>);
StringElement gen2_off_reset      = label_at<"OFF/RESET%400.0f">(                {160, 118}, { 32, 11}, arial_narrow, pale_yellow, followed_by<gen1_on>);
StringElement gen1_on             = label_at<"ON%400.0f">(                       { 42, 127}, {150, 11}, arial,        pale_yellow, followed_by<apu_gen_on>);
StringElement apu_gen_on          = label_at<"ON%400.0f">(                       {104, 127}, { 88, 11}, arial,        pale_yellow, followed_by<gen2_on>);
StringElement gen2_on             = label_at<"ON%400.0f">(                       {160, 127}, { 32, 11}, arial,        pale_yellow, followed_by<dc_power_title>);
StringElement dc_power_title      = label_at<"DC POWER%400.0f">(                 { 78, 153}, {114, 11}, arial,        pale_yellow, followed_by<xfer_word>);
StringElement xfer_word           = label_at<"XFER%400.0f">(                     { 86, 146}, {106, 11}, arial,        pale_yellow, followed_by<auto_word>);
StringElement auto_word           = label_at<"AUTO%400.0f">(                     { 86, 139}, {106, 11}, arial,        pale_yellow, followed_by<tie1_name>);
StringElement tie1_name           = label_at<"TIE 1%400.0f">(                    { 39, 189}, {153, 11}, arial,        pale_yellow, followed_by<tie2_name>);
StringElement tie2_name           = label_at<"TIE 2%400.0f">(                    { 89, 189}, {103, 11}, arial,        pale_yellow, followed_by<ess_tie_name>);
StringElement ess_tie_name        = label_at<"ESS TIE%400.0f">(                  {130, 189}, { 62, 11}, arial,        pale_yellow, followed_by<dc_name>);
StringElement dc_name             = label_at<"DC%400.0f">(                       {110,  43}, { 82, 11}, arial,        pale_yellow, followed_by<dc_service_lever_icon>);
// clang-format on

IconElement dc_service_lever_icon = icon_at(0x2100, {28, 30}, 2, dc_service_lever, followed_by<battery_lever_icon>);
IconElement battery_lever_icon = icon_at(0x2200, {70, 30}, 2, battery_lever, followed_by<gen1_lever_icon>);
IconElement gen1_lever_icon = icon_at(0x2300, {28, 115}, 2, gen1_lever, followed_by<apu_gen_lever_icon>);
IconElement apu_gen_lever_icon = icon_at(0x2400, {90, 115}, 2, apu_gen_lever, followed_by<gen2_lever_icon>);
IconElement gen2_lever_icon = icon_at(0x2500, {146, 115}, 2, gen2_lever, nullptr);

}  // namespace

Element* root = &panel_face.element;

}  // namespace vortane::elecpanel
