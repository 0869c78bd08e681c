// The window described as tables: one row per control with its name, parent
// panel, kind, place, caption, font and colours. One builder turns the tables
// into widgets, so a screen's look is changed here and nowhere else.
#pragma once

#include <cstdint>
#include <span>

namespace tankora::app {

enum class Kind : std::uint8_t {
  Panel,    // a plain container (screens and sub-panels)
  Shape,    // a filled rectangle with a pen: frames of fields, commands, rows, tabs
  Caption,  // static text
  Command,  // a label that reacts to the mouse: commands, tabs, list rows
  Edit,     // single-line edit without a border
  CheckBox,
  Radio,
  DriveBox,    // the backup screen's drive selector (a combo box of volumes)
  FolderList,  // the backup screen's folder list
};

// Colours as 0xRRGGBB; kNoColour leaves the parent's look (transparent label).
inline constexpr std::uint32_t kNoColour = 0xFF000000u;
inline constexpr std::uint32_t kCream = 0xFFFBF0;    // clCream
inline constexpr std::uint32_t kSkyBlue = 0xA6CAF0;  // clSkyBlue
inline constexpr std::uint32_t kNavy = 0x000080;     // clNavy
inline constexpr std::uint32_t kBtnFace = 0xF0F0F0;  // clBtnFace
inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kRed = 0xFF0000;
inline constexpr std::uint32_t kLightGrey = 0xE6E6E6;  // even list rows

// Fonts are named as the screens name them; the builder maps the Windows
// families to the IPA fonts installed here. Size is the pixel height.
struct FontSpec {
  const char* family;
  std::uint8_t pixels;
  bool bold = false;
};

inline constexpr FontSpec kFormFont{"ＭＳ Ｐゴシック", 12};
inline constexpr FontSpec kListFont{"ＭＳ Ｐゴシック", 16};
inline constexpr FontSpec kEditFont{"ＭＳ Ｐ明朝", 16};
inline constexpr FontSpec kCommandFont{"ＭＳ Ｐゴシック", 13};
inline constexpr FontSpec kTabFont{"ＭＳ Ｐゴシック", 14, true};
inline constexpr FontSpec kCountFont{"ＭＳ Ｐゴシック", 13, true};
// Codes and readings may hold letters, and in the proportional fonts a "W"
// is half again as wide as a digit: these take the fixed-pitch faces, where
// every half-width character is half the pixel height, so a field's longest
// value has a known width whatever it holds (20 bytes at 14 pixels: 140).
inline constexpr FontSpec kCodeFont{"ＭＳ 明朝", 14};
inline constexpr FontSpec kReadingFont{"ＭＳ 明朝", 16};
inline constexpr FontSpec kReadingRowFont{"ＭＳ ゴシック", 14};

enum class Justify : std::uint8_t { Left, Centre, Right };

struct ControlDef {
  // objectName; "" for an anonymous caption. With repeat > 1 it holds one
  // "%02d", replaced by 1..repeat, as may the caption ("%d").
  const char* name;
  const char* parent;  // objectName of the containing panel; "" = the window
  Kind kind;
  int x, y, w, h;      // in the parent's coordinates
  const char* caption = "";
  FontSpec font = kFormFont;
  std::uint32_t colour = kNoColour;      // background, or the shape's brush
  std::uint32_t textColour = kBlack;
  Justify justify = Justify::Left;
  std::uint8_t repeat = 1;
  std::int16_t dx = 0, dy = 0;            // step between repeated controls
  std::uint32_t evenColour = kNoColour;   // brush of repeats 2, 4, … when set
  bool visible = true;
};

// A building-use line holds 32 full-width characters (64 bytes); at the
// edits' 16 pixels only about 25 of them show, at 12 all of them.
inline constexpr std::uint8_t kYoutoFontPixels = 12;
constexpr ControlDef WithFontPixels(ControlDef d, std::uint8_t pixels) {
  d.font.pixels = pixels;
  return d;
}
constexpr ControlDef WithFont(ControlDef d, FontSpec font) {
  d.font = font;
  return d;
}

// The window's own controls: the tab row, every screen panel, the notice line.
std::span<const ControlDef> WindowLayout();
// Panel_Kanri: the customer list, the customer record and its command bar,
// then Panel_KensinSyuukinMonth with the month plan.
std::span<const ControlDef> CustomerLayout();
// Panel_Tenken: the slip screen's header, entry line, history and command bar.
std::span<const ControlDef> SlipLayout();
// Panel_Kouji: the construction ledger entry and its command bar.
std::span<const ControlDef> LedgerLayout();
// Panel_BackUp: drive and folder, direction, the file rows, status, clean-up.
std::span<const ControlDef> BackupLayout();
// Panel_TenkenList and Panel_KeiyakuList: the two list screens, their views
// and command bars.
std::span<const ControlDef> TenkenListLayout();
std::span<const ControlDef> KeiyakuListLayout();

// Edits are wide enough for their longest value in "ＭＳ Ｐ明朝" 16 (IPAPMincho:
// a digit 9.9 pixels, a full-width character 16) plus the edit's 2 pixels a
// side and the caret: "平25" in a year, two digits in a month or day, 10
// digits of the contract amount, 10 full-width characters of a 20-byte name.
inline constexpr int kYearW = 42;
inline constexpr int kTwoDigitW = 26;

// Year, month and day edits with their unit captions, from x, 141 pixels a
// date (155 when `last` is "日～"). Each screen's own Ed and Cap build them,
// so the customer and ledger dates, which hold the same fields, look alike.
#define DATE_EDITS(Y, M, D, x, y, last)                                                        \
  Ed(Y, x, (y) + 2, kYearW), Cap((x) + kYearW + 1, (y) + 5, 14, "年"),                          \
      Ed(M, (x) + kYearW + 16, (y) + 2, kTwoDigitW),                                           \
      Cap((x) + kYearW + kTwoDigitW + 17, (y) + 5, 14, "月"),                                  \
      Ed(D, (x) + kYearW + kTwoDigitW + 32, (y) + 2, kTwoDigitW),                              \
      Cap((x) + kYearW + 2 * kTwoDigitW + 33, (y) + 5, 28, last)

}  // namespace tankora::app
