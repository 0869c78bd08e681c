// The slip screen: Panel_Tenken over the right part of the customer screen.
// The current customer's header at the top; the history caption with the
// position of the slip; the column headings, which serve the entry line
// below them and the seven history rows under it; the command bar.
//
// Every column of the entry line and of the history rows shares its x and
// width (kCols), so a slip reads the same in both.
#include <iterator>

#include "app/layout.h"

namespace tankora::app {
namespace {

constexpr const char* kPanel = "Panel_Tenken";
constexpr FontSpec kRowFont{"ＭＳ Ｐゴシック", 14};
constexpr FontSpec kRirekiFont{"ＭＳ Ｐゴシック", 14, true};

constexpr ControlDef Cap(int x, int y, int w, const char* text, Justify justify = Justify::Left) {
  ControlDef d{"", kPanel, Kind::Caption, x, y, w, 16, text};
  d.justify = justify;
  return d;
}
constexpr ControlDef Frame(const char* name, int x, int y, int w, int h) {
  ControlDef d{name, kPanel, Kind::Shape, x, y, w, h};
  d.colour = kCream;
  return d;
}
constexpr ControlDef Ed(const char* name, int x, int y, int w) {
  ControlDef d{name, kPanel, Kind::Edit, x, y, w, 20, "", kEditFont};
  d.colour = kCream;
  return d;
}
constexpr ControlDef CmdShape(const char* name, int x, int w) {
  ControlDef d{name, kPanel, Kind::Shape, x, 586, w, 25};
  d.colour = kBtnFace;
  return d;
}
constexpr ControlDef CmdLabel(const char* name, int x, int w, const char* caption) {
  ControlDef d{name, kPanel, Kind::Command, x, 589, w, 19, caption, kCommandFont};
  d.justify = Justify::Centre;
  return d;
}

// The customer header.
constexpr int kCapX = 14;
constexpr int kFieldX = 176;
constexpr int kAddressY = 8;
constexpr int kSettiY = kAddressY + 50;
constexpr int kSyoriY = kSettiY + 28;

// The history caption, the headings, the entry line and the rows.
constexpr int kRirekiY = 118;
constexpr int kHeadY = 140;
constexpr int kEntryY = 174;
constexpr int kBikouY = kEntryY + 26;
constexpr int kRowsY = 232;
constexpr int kRowPitch = 48;  // the rows are 48 pixels apart
constexpr int kLine = 23;      // each row: the readings line, then the remarks line
static_assert(kRowsY + 6 * kRowPitch + 2 * kLine <= 586, "the history ends above the command bar");

struct Col {
  int x, w;
};
// The year column is wide enough for a year of an earlier era ("H31").
constexpr Col kYear{8, 54}, kMonth{62, 40}, kDay{102, 40}, kGaikan{144, 92}, kSyuuki{238, 30},
    kPh{270, 40}, kTousido{312, 44}, kAsyousan{358, 44}, kZanen{404, 40}, kIon{446, 44},
    kKanrisya{492, 140};
constexpr Col kDate{kYear.x, kDay.x + kDay.w - kYear.x};
constexpr Col kTekiyou{8, 624};

// Heading over a column; `line` 1 or 2 of a two-line heading, 0 for one line.
constexpr ControlDef Head(Col c, const char* text, int line = 0) {
  const int y = line == 0 ? kHeadY + 9 : kHeadY + (line - 1) * 16;
  return Cap(c.x, y, c.w, text, Justify::Centre);
}
// A reading's frame and edit in the entry line.
constexpr ControlDef EntryFrame(const char* name, Col c) {
  return Frame(name, c.x, kEntryY, c.w, 24);
}
constexpr ControlDef EntryEdit(const char* name, Col c) {
  return Ed(name, c.x + 3, kEntryY + 2, c.w - 6);
}
// The shape and the label of one history column, repeated for the 7 rows.
constexpr ControlDef RowShape(const char* name, Col c, int line) {
  ControlDef d{name, kPanel, Kind::Shape, c.x, kRowsY + line * kLine, c.w, kLine};
  d.colour = kWhite;
  d.repeat = 7;
  d.dy = kRowPitch;
  d.evenColour = kLightGrey;
  return d;
}
constexpr ControlDef RowLabel(const char* name, Col c, int line,
                              Justify justify = Justify::Centre) {
  ControlDef d{name,      kPanel, Kind::Command, c.x + 3, kRowsY + line * kLine + 3, c.w - 6,
               kLine - 6, "",     kRowFont};
  d.justify = justify;
  d.repeat = 7;
  d.dy = kRowPitch;
  return d;
}

constexpr ControlDef kSlip[] = {
    // The current customer, edited in place.
    Cap(kCapX, kAddressY + 5, 150, "住所"),
    Cap(kCapX, kAddressY + 27, 150, "名前"),
    Frame("Shape_Panel_Tenken_Address", kFieldX, kAddressY, 344, 46),
    Ed("Edit_Panel_Tenken_Address", kFieldX + 6, kAddressY + 2, 332),
    Ed("Edit_Panel_Tenken_Name", kFieldX + 6, kAddressY + 24, 170),
    Cap(kCapX, kSettiY + 5, 150, "浄化槽の設置場所"),
    Frame("Shape_Panel_Tenken_SettiPlace", kFieldX, kSettiY, 344, 24),
    Ed("Edit_Panel_Tenken_SettiPlace", kFieldX + 6, kSettiY + 2, 332),
    Cap(kCapX, kSyoriY + 5, 160, "浄化槽の規模及び処理方法"),
    Frame("Shape_Panel_Tenken_SyoriWay", kFieldX, kSyoriY, 300, 24),
    Ed("Edit_Panel_Tenken_Ninsou", kFieldX + 6, kSyoriY + 2, 36),
    Cap(kFieldX + 44, kSyoriY + 5, 28, "人槽"),
    Cap(kFieldX + 78, kSyoriY + 5, 50, "処理方法"),
    Ed("Edit_Panel_Tenken_SyoriWay", kFieldX + 130, kSyoriY + 2, 166),

    // The history caption and the place of the slip in the entry line.
    {"Label_TenkenRireki", kPanel, Kind::Command, 8, kRirekiY, 124, 20, "点　検　履　歴",
     kRirekiFont, kNoColour, kBlack, Justify::Left},
    {"Label_TenkenDenpChoose_Line", kPanel, Kind::Caption, 136, kRirekiY + 1, 40, 18, "",
     kCountFont, kSkyBlue, kBlack, Justify::Right},
    Cap(178, kRirekiY + 2, 10, "/", Justify::Centre),
    {"Label_TenkenDenpDs", kPanel, Kind::Caption, 190, kRirekiY + 1, 40, 18, "", kCountFont,
     kSkyBlue, kBlack, Justify::Right},

    Head(kDate, "保守点検年月日"),
    Head(kGaikan, "外観"),
    Head(kSyuuki, "臭気"),
    Head(kPh, "ph"),
    Head(kTousido, "透視度"),
    Head(kAsyousan, "亜硝酸"),
    Head(kZanen, "残塩"),
    Head(kIon, "塩化物", 1),
    Head(kIon, "イオン", 2),
    Head(kKanrisya, "保守点検を行った管理者"),

    // The entry line: the visit date, the readings, the remarks below.
    EntryFrame("Shape_Panel_Tenken_Date", kDate),
    // The date's digits in the readings' fixed-pitch face: "H31" and "12"
    // fit whole in the columns the history rows share.
    WithFont(Ed("Edit_Panel_Tenken_Year", kDate.x + 4, kEntryY + 2, 38), kReadingFont),
    Cap(kDate.x + 43, kEntryY + 5, 14, "年"),
    WithFont(Ed("Edit_Panel_Tenken_Month", kDate.x + 58, kEntryY + 2, 22), kReadingFont),
    Cap(kDate.x + 81, kEntryY + 5, 14, "月"),
    WithFont(Ed("Edit_Panel_Tenken_Day", kDate.x + 96, kEntryY + 2, 22), kReadingFont),
    Cap(kDate.x + 119, kEntryY + 5, 14, "日"),
    EntryFrame("Shape_Panel_Tenken_Gaikan", kGaikan),
    EntryEdit("Edit_Panel_Tenken_Gaikan", kGaikan),
    EntryFrame("Shape_Panel_Tenken_Syuuki", kSyuuki),
    WithFont(EntryEdit("Edit_Panel_Tenken_Syuuki", kSyuuki), kReadingFont),
    EntryFrame("Shape_Panel_Tenken_Ph", kPh),
    WithFont(EntryEdit("Edit_Panel_Tenken_Ph", kPh), kReadingFont),
    EntryFrame("Shape_Panel_Tenken_Tousido", kTousido),
    WithFont(EntryEdit("Edit_Panel_Tenken_Tousido", kTousido), kReadingFont),
    EntryFrame("Shape_Panel_Tenken_Asyousan", kAsyousan),
    WithFont(EntryEdit("Edit_Panel_Tenken_Asyousan", kAsyousan), kReadingFont),
    EntryFrame("Shape_Panel_Tenken_Zanen", kZanen),
    WithFont(EntryEdit("Edit_Panel_Tenken_Zanen", kZanen), kReadingFont),
    EntryFrame("Shape_Panel_Tenken_Ion", kIon),
    WithFont(EntryEdit("Edit_Panel_Tenken_Ion", kIon), kReadingFont),
    EntryFrame("Shape_Panel_Tenken_Kanrisya", kKanrisya),
    EntryEdit("Edit_Panel_Tenken_Kanrisya", kKanrisya),
    Cap(kTekiyou.x, kBikouY + 5, 40, "摘要", Justify::Centre),
    Frame("Shape_Panel_Tenken_Bikou", kTekiyou.x + 44, kBikouY, kTekiyou.w - 44, 24),
    Ed("Edit_Panel_Tenken_Bikou", kTekiyou.x + 50, kBikouY + 2, kTekiyou.w - 56),
    {"Edit_Panel_Tenken_Command", kPanel, Kind::Edit, 600, 590, 0, 18},

    // Seven history rows, 48 pixels apart: shapes first, labels over them.
    RowShape("Shape_Tenken_Year_%02d", kYear, 0),
    RowShape("Shape_Tenken_Month_%02d", kMonth, 0),
    RowShape("Shape_Tenken_Day_%02d", kDay, 0),
    RowShape("Shape_Tenken_Gaikan_%02d", kGaikan, 0),
    RowShape("Shape_Tenken_Syuuki_%02d", kSyuuki, 0),
    RowShape("Shape_Tenken_Ph_%02d", kPh, 0),
    RowShape("Shape_Tenken_Tousido_%02d", kTousido, 0),
    RowShape("Shape_Tenken_Asyousan_%02d", kAsyousan, 0),
    RowShape("Shape_Tenken_Zannenn_%02d", kZanen, 0),
    RowShape("Shape_Tenken_Ion_%02d", kIon, 0),
    RowShape("Shape_Tenken_Kanrisya_%02d", kKanrisya, 0),
    RowShape("Shape_Tenken_Tekiyou_%02d", kTekiyou, 1),
    RowLabel("Label_Tenken_Year_%02d", kYear, 0),
    RowLabel("Label_Tenken_Month_%02d", kMonth, 0),
    RowLabel("Label_Tenken_Day_%02d", kDay, 0),
    RowLabel("Label_Tenken_Gaikan_%02d", kGaikan, 0, Justify::Left),
    WithFont(RowLabel("Label_Tenken_Syuuki_%02d", kSyuuki, 0), kReadingRowFont),
    WithFont(RowLabel("Label_Tenken_Ph_%02d", kPh, 0), kReadingRowFont),
    WithFont(RowLabel("Label_Tenken_Tousido_%02d", kTousido, 0), kReadingRowFont),
    WithFont(RowLabel("Label_Tenken_Asyousan_%02d", kAsyousan, 0), kReadingRowFont),
    WithFont(RowLabel("Label_Tenken_Zannenn_%02d", kZanen, 0), kReadingRowFont),
    WithFont(RowLabel("Label_Tenken_Ion_%02d", kIon, 0), kReadingRowFont),
    RowLabel("Label_Tenken_Kanrisya_%02d", kKanrisya, 0, Justify::Left),
    RowLabel("Label_Tenken_Tekiyou_%02d", kTekiyou, 1, Justify::Left),

    // The command bar.
    CmdShape("Shape_Tenken_Write", 12, 76),
    CmdLabel("Label_Tenken_Write", 16, 68, "F1 登録"),
    CmdShape("Shape_Tenken_Delete", 92, 76),
    CmdLabel("Label_Tenken_Delete", 96, 68, "F2 削除"),
    CmdShape("Shape_Tenken_PageUp", 210, 124),
    CmdLabel("Label_Tenken_PageUp", 214, 116, "PageUp 前ページ"),
    CmdShape("Shape_Tenken_PageDown", 338, 124),
    CmdLabel("Label_Tenken_PageDown", 342, 116, "PageDw次ページ"),
    CmdShape("Shape_Tenken_New", 480, 76),
    CmdLabel("Label_Tenken_New", 484, 68, "F8 追加"),

    // On the customer screen, beside its sub-tabs: the way to the history.
    {"Label_KokyakuTenkenRireki", "Panel_Kanri", Kind::Command, 560, 119, 108, 20, "点　検　履　歴",
     kCommandFont, kWhite, kBlack, Justify::Centre},
};

}  // namespace

std::span<const ControlDef> SlipLayout() { return kSlip; }

}  // namespace tankora::app
