// The two list screens: Panel_TenkenList (点検伝票一覧) with the report view
// Panel_TenkenGeppou, its per-customer date overlay Panel_KobetuTenkenList
// and the schedule Panel_TenkenYotei; Panel_KeiyakuList (浄化槽工事一覧) with
// Panel_HosyuKeiyaku_Geppou, Panel_KeiyakuEnd and Panel_SyuukinYotei. Each
// screen has its sub-tabs and print margins at the top and its command bar
// at the bottom; each view its parameters, a 再表示 button and page labels
// above its rows.
//
// Rows are in "ＭＳ ゴシック", whose half- and full-width characters are
// exactly 1 : 2, so the fixed-width fields line up as they are stored; they
// alternate white and cream, and every label of a row can be clicked.
#include "app/layout.h"

namespace tankora::app {
namespace {

constexpr const char* kTenkenList = "Panel_TenkenList";
constexpr const char* kGeppou = "Panel_TenkenGeppou";
constexpr const char* kKobetu = "Panel_KobetuTenkenList";
constexpr const char* kYotei = "Panel_TenkenYotei";
constexpr const char* kKeiyakuList = "Panel_KeiyakuList";
constexpr const char* kHosyu = "Panel_HosyuKeiyaku_Geppou";
constexpr const char* kEnd = "Panel_KeiyakuEnd";
constexpr const char* kSyuukin = "Panel_SyuukinYotei";

constexpr FontSpec kRowFont{"ＭＳ ゴシック", 13};
constexpr FontSpec kTitleFont{"ＭＳ ゴシック", 20, true};
constexpr FontSpec kHeadFont{"ＭＳ Ｐゴシック", 13, true};
constexpr FontSpec kSubTabFont{"ＭＳ Ｐゴシック", 13, true};

constexpr ControlDef Cap(const char* parent, int x, int y, int w, const char* text,
                         Justify justify = Justify::Left, FontSpec font = kFormFont) {
  ControlDef d{"", parent, Kind::Caption, x, y, w, 16, text, font};
  d.justify = justify;
  return d;
}
constexpr ControlDef Head(const char* parent, int x, int y, int w, const char* text,
                          Justify justify = Justify::Left) {
  return Cap(parent, x, y, w, text, justify, kHeadFont);
}
constexpr ControlDef Named(const char* name, const char* parent, int x, int y, int w,
                           const char* text = "", Justify justify = Justify::Left) {
  ControlDef d{name, parent, Kind::Caption, x, y, w, 16, text};
  d.justify = justify;
  return d;
}
constexpr ControlDef Title(const char* name, const char* parent, const char* text) {
  ControlDef d{name, parent, Kind::Caption, 250, 6, 355, 28, text, kTitleFont};
  d.justify = Justify::Centre;
  return d;
}
// List-screen edits are white, without a frame of their own.
constexpr ControlDef Ed(const char* name, const char* parent, int x, int y, int w,
                        bool visible = true) {
  ControlDef d{name, parent, Kind::Edit, x, y, w, 20, "", kEditFont};
  d.colour = kWhite;
  d.visible = visible;
  return d;
}
constexpr ControlDef Underlay(const char* name, const char* parent, int x, int y, int w,
                              bool visible = true) {
  ControlDef d{name, parent, Kind::Shape, x, y, w, 26};
  d.colour = kWhite;
  d.visible = visible;
  return d;
}
constexpr ControlDef Holder(const char* name, const char* parent, int x, int y) {
  return ControlDef{name, parent, Kind::Edit, x, y, 0, 18};
}
constexpr ControlDef BtnShape(const char* name, const char* parent, int x, int y, int w,
                              bool visible = true) {
  ControlDef d{name, parent, Kind::Shape, x, y, w, 25};
  d.colour = kBtnFace;
  d.visible = visible;
  return d;
}
constexpr ControlDef BtnLabel(const char* name, const char* parent, int x, int y, int w,
                              const char* caption, bool visible = true) {
  ControlDef d{name, parent, Kind::Command, x + 4, y + 3, w - 8, 19, caption, kCommandFont};
  d.justify = Justify::Centre;
  d.visible = visible;
  return d;
}
constexpr ControlDef SubTabShape(const char* name, const char* parent, int x, int w) {
  ControlDef d{name, parent, Kind::Shape, x, 6, w, 27};
  d.colour = kWhite;
  return d;
}
constexpr ControlDef SubTabLabel(const char* name, const char* parent, int x, int w,
                                 const char* caption) {
  ControlDef d{name, parent, Kind::Command, x + 2, 8, w - 4, 23, caption, kSubTabFont};
  d.colour = kWhite;
  d.justify = Justify::Centre;
  return d;
}
// The page position of a view: "page / pages 頁".
constexpr ControlDef PageNo(const char* name, const char* parent, int x, int y) {
  return ControlDef{name, parent, Kind::Caption, x,        y,      34,
                    18,   "",     kCountFont,    kSkyBlue, kBlack, Justify::Right};
}
// Row backgrounds: `rows` stripes of height h every `pitch` pixels from y.
constexpr ControlDef Stripes(const char* name, const char* parent, int y, int w, int h, int rows,
                             int pitch) {
  return ControlDef{name,
                    parent,
                    Kind::Shape,
                    4,
                    y,
                    w,
                    h,
                    "",
                    kRowFont,
                    kWhite,
                    kBlack,
                    Justify::Left,
                    static_cast<std::uint8_t>(rows),
                    0,
                    static_cast<std::int16_t>(pitch),
                    kCream};
}
// One label per row, clickable.
constexpr ControlDef Cell(const char* name, const char* parent, int x, int y, int w, int rows,
                          int pitch, Justify justify = Justify::Left) {
  return ControlDef{name,
                    parent,
                    Kind::Command,
                    x,
                    y,
                    w,
                    16,
                    "",
                    kRowFont,
                    kNoColour,
                    kBlack,
                    justify,
                    static_cast<std::uint8_t>(rows),
                    0,
                    static_cast<std::int16_t>(pitch)};
}

// The report date, the addressee and the company block, as both report
// views have them. `p` names the edits (Edit_<p>_Year …) and captions.
#define REPORT_HEADER(panel, p, era, addresseeShape)                                          \
  Named(era, panel, 618, 11, 32, "平成", Justify::Right),                                     \
      Ed("Edit_" p "_Year", panel, 652, 8, kYearW), Cap(panel, 695, 11, 14, "年"),            \
      Ed("Edit_" p "_Month", panel, 710, 8, kTwoDigitW), Cap(panel, 737, 11, 14, "月"),       \
      Ed("Edit_" p "_Day", panel, 752, 8, kTwoDigitW), Cap(panel, 779, 11, 14, "日"),         \
      Underlay(addresseeShape, panel, 10, 44, 262),                                           \
      Ed("Edit_" p "_Teisyutusaki", panel, 14, 47, 254), Cap(panel, 508, 47, 30, "住所"),     \
      Ed("Edit_" p "_Address", panel, 540, 44, 310), Cap(panel, 430, 73, 76, "保守点検業者"), \
      Ed("Edit_" p "_KaisyaName", panel, 540, 70, 246), Cap(panel, 508, 99, 30, "氏名"),      \
      Ed("Edit_" p "_Name", panel, 540, 96, 246), Cap(panel, 508, 125, 30, "TEL"),            \
      Ed("Edit_" p "_Tel", panel, 540, 122, 130)

// --- 点検伝票一覧 ------------------------------------------------------------

// Report view columns (x) and rows.
constexpr int kGRow0 = 190;
constexpr int kGPitch = 58;
constexpr int kGRows = 6;
constexpr int kKanrisyaX = 162, kKatasikiX = 292, kNinsouX = 376, kGaikanX = 424;
constexpr int kReadX = 512, kReadW = 50;  // 臭気 … 塩化物, one every kReadW
static_assert(kGRow0 + (kGRows - 1) * kGPitch + 56 <= 547, "the rows fit the view");

// Schedule rows.
constexpr int kYRow0 = 108;
constexpr int kYPitch = 36;
constexpr int kYRows = 12;
static_assert(kYRow0 + (kYRows - 1) * kYPitch + 34 <= 547, "the rows fit the view");

constexpr ControlDef kTenken[] = {
    SubTabShape("Shape_TenkenItiran_01", kTenkenList, 8, 234),
    SubTabLabel("Label_TenkenItiran_01", kTenkenList, 8, 234, "浄化槽保守点検月報 提出用一覧"),
    SubTabShape("Shape_TenkenItiran_02", kTenkenList, 246, 184),
    SubTabLabel("Label_TenkenItiran_02", kTenkenList, 246, 184, "個別浄化槽保守点検一覧"),
    SubTabShape("Shape_TenkenItiran_03", kTenkenList, 434, 120),
    SubTabLabel("Label_TenkenItiran_03", kTenkenList, 434, 120, "点検予定一覧"),
    Cap(kTenkenList, 576, 13, 126, "印刷位置調整　上余白"),
    Ed("Edit_TopMargine", kTenkenList, 704, 10, kTwoDigitW),
    Cap(kTenkenList, 732, 13, 64, "mm 左余白"),
    Ed("Edit_LeftMargine", kTenkenList, 798, 10, kTwoDigitW),
    Cap(kTenkenList, 826, 13, 24, "mm"),

    // The report view: monthly report and, with the date overlay, one customer's slips.
    Title("Label_TenkenTitle", kGeppou, "  浄化槽保守点検月報  "),
    REPORT_HEADER(kGeppou, "TenkenGeppou", "Label_TenkenGeppou_Era", "Shape28"),
    Underlay("Shape_TenkenGeppou_KokyakuName", kGeppou, 10, 44, 182, false),
    Ed("Edit_TenkenGeppou_KokyakuName", kGeppou, 14, 47, 174, false),
    Named("Label_TenkenGeppou_ChooseEra", kGeppou, 6, 103, 32, "平成", Justify::Right),
    Ed("Edit_TenkenGeppou_ChooseYear", kGeppou, 40, 100, kYearW),
    Cap(kGeppou, 83, 103, 14, "年"),
    Ed("Edit_TenkenGeppou_ChooseMonth", kGeppou, 98, 100, kTwoDigitW),
    Cap(kGeppou, 125, 103, 28, "月分"),
    BtnShape("Shape_TenkenGeppou_ReDisp", kGeppou, 160, 97, 70),
    BtnLabel("Label_TenkenGeppou_ReDisp", kGeppou, 160, 97, 70, "再表示"),
    PageNo("Label_TenkenGeppou_NowPage", kGeppou, 246, 101),
    Cap(kGeppou, 281, 102, 10, "/", Justify::Centre),
    PageNo("Label_TenkenGeppou_AllPage", kGeppou, 292, 101),
    Cap(kGeppou, 328, 103, 16, "頁"),

    Head(kGeppou, 8, 146, 150, "設置場所"),
    Head(kGeppou, kKanrisyaX, 146, 126, "管理者氏名"),
    Head(kGeppou, kKatasikiX, 146, 80, "型式"),
    Head(kGeppou, kNinsouX, 146, 44, "人槽"),
    Head(kGeppou, kGaikanX, 140, 388, "放流水の状態", Justify::Centre),
    Head(kGeppou, kGaikanX, 156, 84, "外観"),
    Head(kGeppou, kReadX, 156, kReadW, "臭気"),
    Head(kGeppou, kReadX + kReadW, 156, kReadW, "ＰＨ"),
    Head(kGeppou, kReadX + 2 * kReadW, 156, kReadW, "透視度"),
    Head(kGeppou, kReadX + 3 * kReadW, 156, kReadW, "亜硝酸"),
    Head(kGeppou, kReadX + 4 * kReadW, 156, kReadW, "残塩"),
    Head(kGeppou, kReadX + 5 * kReadW, 156, kReadW, "塩化物"),
    Head(kGeppou, kKanrisyaX, 172, 400, "保守点検時における異常箇所及び処置方法"),
    Stripes("Shape_TenkenGeppou_Row_%02d", kGeppou, kGRow0, 847, 56, kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Place_1_%02d", kGeppou, 8, kGRow0 + 4, 150, kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Place_2_%02d", kGeppou, 8, kGRow0 + 20, 150, kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Kanrisya_%02d", kGeppou, kKanrisyaX, kGRow0 + 12, 126, kGRows,
         kGPitch),
    Cell("Label_TenkenGeppou_Katasiki_1_%02d", kGeppou, kKatasikiX, kGRow0 + 4, 80, kGRows,
         kGPitch),
    Cell("Label_TenkenGeppou_Katasiki_2_%02d", kGeppou, kKatasikiX, kGRow0 + 20, 80, kGRows,
         kGPitch),
    Cell("Label_TenkenGeppou_Ninsou_%02d", kGeppou, kNinsouX, kGRow0 + 12, 44, kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Gaikan_%02d", kGeppou, kGaikanX, kGRow0 + 12, 84, kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Syuuki_%02d", kGeppou, kReadX, kGRow0 + 12, kReadW - 8, kGRows,
         kGPitch),
    Cell("Label_TenkenGeppou_PH_%02d", kGeppou, kReadX + kReadW, kGRow0 + 12, kReadW - 8, kGRows,
         kGPitch),
    Cell("Label_TenkenGeppou_Tousido_%02d", kGeppou, kReadX + 2 * kReadW, kGRow0 + 12, kReadW - 8,
         kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Asyousan_%02d", kGeppou, kReadX + 3 * kReadW, kGRow0 + 12, kReadW - 8,
         kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Zannenn_%02d", kGeppou, kReadX + 4 * kReadW, kGRow0 + 12, kReadW - 8,
         kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Enkabutu_%02d", kGeppou, kReadX + 5 * kReadW, kGRow0 + 12, kReadW - 8,
         kGRows, kGPitch),
    Cell("Label_TenkenGeppou_Tekiyou_%02d", kGeppou, kKanrisyaX, kGRow0 + 37, 680, kGRows, kGPitch),

    // Over the place column in the per-customer view, from the heading down:
    // the date of each slip. It comes after the rows so that it lies above them.
    {kKobetu, kGeppou, Kind::Panel, 4, 140, 156, 398, "", kFormFont, kBtnFace, kBlack,
     Justify::Left, 1, 0, 0, kNoColour, false},
    Head(kKobetu, 0, 16, 154, "点検実地日", Justify::Centre),
    {"Label_TenkenGeppou_Date_%02d", kKobetu, Kind::Command, 0, kGRow0 - 140, 154, 56, "", kRowFont,
     kWhite, kBlack, Justify::Centre, kGRows, 0, kGPitch, kCream},

    // The schedule.
    Title("", kYotei, "点検予定一覧"),
    Ed("Edit_TenkenYotei_Month", kYotei, 10, 44, kTwoDigitW),
    Cap(kYotei, 38, 47, 80, "月 点検予定"),
    BtnShape("Shape_TenkenYotei", kYotei, 124, 41, 70),
    BtnLabel("Label_TenkenYotei", kYotei, 124, 41, 70, "再表示"),
    PageNo("Label_TenkenYotei_NowPage", kYotei, 210, 45),
    Cap(kYotei, 245, 46, 10, "/", Justify::Centre),
    PageNo("Label_TenkenYotei_AllPage", kYotei, 256, 45),
    Cap(kYotei, 292, 47, 16, "頁"),
    Named("Label_TenkenYotei_DoneMonth", kYotei, 430, 47, 176, "", Justify::Right),
    {"Label_TenkenYotei_Done", kYotei, Kind::Caption, 612, 44, 238, 20, "", kCountFont, kSkyBlue,
     kBlack, Justify::Centre},
    Head(kYotei, 8, 86, 28, "済", Justify::Centre),
    Head(kYotei, 40, 86, 170, "顧客名"),
    Head(kYotei, 214, 86, 300, "設置場所"),
    Head(kYotei, 520, 86, 80, "型式"),
    Head(kYotei, 610, 86, 60, "人槽"),
    Stripes("Shape_TenkenYotei_Row_%02d", kYotei, kYRow0, 849, 34, kYRows, kYPitch),
    {"Label_TenkenYotei_Mark_%02d", kYotei, Kind::Command, 8, kYRow0 + 9, 28, 16, "", kHeadFont,
     kNoColour, 0xC00000, Justify::Centre, kYRows, 0, kYPitch},
    Cell("Label_TenkenYotei_Kokyaku_1_%02d", kYotei, 40, kYRow0 + 9, 170, kYRows, kYPitch),
    Cell("Label_TenkenYotei_Setti_%02d", kYotei, 214, kYRow0 + 9, 300, kYRows, kYPitch),
    Cell("Label_TenkenYotei_Katasiki_1_%02d", kYotei, 520, kYRow0 + 1, 80, kYRows, kYPitch),
    Cell("Label_TenkenYotei_Katasiki_2_%02d", kYotei, 520, kYRow0 + 17, 80, kYRows, kYPitch),
    Cell("Label_TenkenYotei_Ninsou_%02d", kYotei, 610, kYRow0 + 9, 44, kYRows, kYPitch),

    // The command bar.
    Holder("Edit_TenkenList_Command", kTenkenList, 600, 590),
    BtnShape("Shape_TenkenItiran_F1", kTenkenList, 16, 586, 80),
    BtnLabel("Label_TenkenItiran_F1", kTenkenList, 16, 586, 80, "F1 印刷"),
    BtnShape("Shape_TenkenItiran_F3", kTenkenList, 104, 586, 140, false),
    BtnLabel("Label_TenkenItiran_F3", kTenkenList, 104, 586, 140, "F3 未実施を先に", false),
    BtnShape("Shape_TenkenItiran_F5", kTenkenList, 690, 586, 76),
    BtnLabel("Label_TenkenItiran_F5", kTenkenList, 690, 586, 76, "F5 前頁"),
    BtnShape("Shape_TenkenItiran_F6", kTenkenList, 772, 586, 76),
    BtnLabel("Label_TenkenItiran_F6", kTenkenList, 772, 586, 76, "F6 次頁"),
};

// --- 浄化槽工事一覧 -----------------------------------------------------------

constexpr int kMRow0 = 176;
constexpr int kMPitch = 26;
constexpr int kMRows = 14;
static_assert(kMRow0 + (kMRows - 1) * kMPitch + 24 <= 547, "the rows fit the view");

// A view's month and its 再表示 and page labels, on the line at y.
#define REDISP_AND_PAGES(panel, x, y, shape, label, now, all)                           \
  BtnShape(shape, panel, x, (y)-3, 70), BtnLabel(label, panel, x, (y)-3, 70, "再表示"), \
      PageNo(now, panel, (x) + 86, (y) + 1),                                            \
      Cap(panel, (x) + 121, (y) + 2, 10, "/", Justify::Centre),                         \
      PageNo(all, panel, (x) + 132, (y) + 1), Cap(panel, (x) + 168, (y) + 3, 16, "頁")

constexpr ControlDef kKeiyaku[] = {
    SubTabShape("Shape_KoujiItiran_01", kKeiyakuList, 8, 204),
    SubTabLabel("Label_KoujiItiran_01", kKeiyakuList, 8, 204, "浄化槽保守点検契約月報"),
    SubTabShape("Shape_KoujiItiran_02", kKeiyakuList, 216, 130),
    SubTabLabel("Label_KoujiItiran_02", kKeiyakuList, 216, 130, "契約終了一覧"),
    SubTabShape("Shape_KoujiItiran_03", kKeiyakuList, 350, 130),
    SubTabLabel("Label_KoujiItiran_03", kKeiyakuList, 350, 130, "集金予定一覧"),
    Named("Label186", kKeiyakuList, 576, 13, 126, "印刷位置調整  上余白"),
    Ed("Edit_TopMargine_Kouji", kKeiyakuList, 704, 10, kTwoDigitW),
    Named("Label188", kKeiyakuList, 732, 13, 64, "mm 左余白"),
    Ed("Edit_LeftMargine_Kouji", kKeiyakuList, 798, 10, kTwoDigitW),
    Named("Label190", kKeiyakuList, 826, 13, 24, "mm"),

    // The contract monthly report.
    Title("", kHosyu, "浄化槽保守点検契約月報"),
    REPORT_HEADER(kHosyu, "HosyuKeiyaku_Geppou", "Label_HosyuKeiyaku_Geppou_Era",
                  "Shape_HosyuKeiyaku_Geppou_Teisyutusaki"),
    Named("Label_HosyuKeiyaku_Geppou_ChooseEra", kHosyu, 6, 103, 32, "平成", Justify::Right),
    Ed("Edit_HosyuKeiyaku_Geppou_ChooseYear", kHosyu, 40, 100, kYearW),
    Cap(kHosyu, 83, 103, 14, "年"),
    Ed("Edit_HosyuKeiyaku_Geppou_ChooseMonth", kHosyu, 98, 100, kTwoDigitW),
    Cap(kHosyu, 125, 103, 28, "月分"),
    REDISP_AND_PAGES(kHosyu, 160, 100, "Shape_Panel_HosyuKeiyaku_Geppou_ReDisp",
                     "Label_Panel_HosyuKeiyaku_Geppou_ReDisp", "Label_HosyuKeiyaku_Geppou_NowPage",
                     "Label_HosyuKeiyaku_Geppou_AllPage"),
    Head(kHosyu, 8, 156, 90, "契約年月日"),
    Head(kHosyu, 102, 156, 270, "設置場所"),
    Head(kHosyu, 376, 156, 136, "管理者氏名"),
    Head(kHosyu, 516, 156, 136, "型式"),
    Head(kHosyu, 656, 156, 40, "容量"),
    Head(kHosyu, 704, 156, 146, "契約期間"),
    Stripes("Shape_HosyuKeiyaku_Geppou_Row_%02d", kHosyu, kMRow0, 849, 24, kMRows, kMPitch),
    Cell("Label_HosyuKeiyaku_Geppou_Date_%02d", kHosyu, 8, kMRow0 + 4, 90, kMRows, kMPitch),
    Cell("Label_HosyuKeiyaku_Geppou_Place_%02d", kHosyu, 102, kMRow0 + 4, 270, kMRows, kMPitch),
    Cell("Label_HosyuKeiyaku_Geppou_KanrisyaName_%02d", kHosyu, 376, kMRow0 + 4, 136, kMRows,
         kMPitch),
    Cell("Label_HosyuKeiyaku_Geppou_Katasiki_%02d", kHosyu, 516, kMRow0 + 4, 136, kMRows, kMPitch),
    Cell("Label_HosyuKeiyaku_Geppou_Ninsou_%02d", kHosyu, 656, kMRow0 + 4, 44, kMRows, kMPitch),
    Cell("Label_HosyuKeiyaku_Geppou_Kikan_%02d", kHosyu, 704, kMRow0 + 4, 146, kMRows, kMPitch),

    // The contracts ending in a month.
    Title("", kEnd, "契約終了一覧"),
    Named("Label_Kouji_KokyakuEndEra", kEnd, 6, 47, 32, "平成", Justify::Right),
    Ed("Edit_Kouji_KokyakuEndYear", kEnd, 40, 44, kYearW),
    Cap(kEnd, 83, 47, 14, "年"),
    Ed("Edit_Kouji_KokyakuEndMonth", kEnd, 98, 44, kTwoDigitW),
    Cap(kEnd, 125, 47, 28, "月分"),
    REDISP_AND_PAGES(kEnd, 160, 44, "Shape_Panel_KeiyakuEnd_ReDisp",
                     "Label_Panel_KeiyakuEnd_ReDisp", "Label344", "Label349"),
    Head(kEnd, 8, 86, 170, "顧客名"),
    Head(kEnd, 182, 86, 300, "設置場所"),
    Head(kEnd, 486, 86, 80, "型式"),
    Head(kEnd, 570, 86, 60, "人槽"),
    Stripes("Shape_KeiyakuEnd_Row_%02d", kEnd, kYRow0, 849, 34, kYRows, kYPitch),
    Cell("Label_KeiyakuEnd_Name_%02d", kEnd, 8, kYRow0 + 9, 170, kYRows, kYPitch),
    Cell("Label_KeiyakuEnd_Setti_%02d", kEnd, 182, kYRow0 + 9, 300, kYRows, kYPitch),
    Cell("Label_KeiyakuEnd_Katasiki_1_%02d", kEnd, 486, kYRow0 + 1, 80, kYRows, kYPitch),
    Cell("Label_KeiyakuEnd_Katasiki_2_%02d", kEnd, 486, kYRow0 + 17, 80, kYRows, kYPitch),
    Cell("Label_KeiyakuEnd_Ninsou_%02d", kEnd, 570, kYRow0 + 9, 44, kYRows, kYPitch),

    // The collection schedule.
    Title("", kSyuukin, "集金予定一覧"),
    Ed("Edit_Kouji_SyuukinMonth", kSyuukin, 10, 44, kTwoDigitW),
    Cap(kSyuukin, 38, 47, 80, "月集金予定"),
    REDISP_AND_PAGES(kSyuukin, 124, 44, "Shape_Panel_SyuukinYotei_ReDisp",
                     "Label_Panel_SyuukinYotei_ReDisp", "Label464", "Label466"),
    Head(kSyuukin, 8, 86, 170, "顧客名"),
    Head(kSyuukin, 182, 86, 300, "住所及び電話番号"),
    Head(kSyuukin, 500, 86, 92, "集金額", Justify::Right),
    Stripes("Shape_SyuukinYotei_Row_%02d", kSyuukin, kYRow0, 849, 34, kYRows, kYPitch),
    Cell("Label_SyuukinYotei_Name_%02d", kSyuukin, 8, kYRow0 + 9, 170, kYRows, kYPitch),
    Cell("Label_SyuukinYotei_Address_%02d", kSyuukin, 182, kYRow0 + 1, 300, kYRows, kYPitch),
    Cell("Label_SyuukinYotei_Tel_%02d", kSyuukin, 182, kYRow0 + 17, 160, kYRows, kYPitch),
    Cell("Label_SyuukinYotei_Syuukingaku_%02d", kSyuukin, 500, kYRow0 + 9, 92, kYRows, kYPitch,
         Justify::Right),

    // The command bar.
    Holder("Edit_KeiyakuList_Command", kKeiyakuList, 600, 590),
    BtnShape("Shape_Panel_KeiyakuList_Print", kKeiyakuList, 16, 586, 80),
    BtnLabel("Label_Panel_KeiyakuList_Print", kKeiyakuList, 16, 586, 80, "F1 印刷"),
    BtnShape("Shape_Panel_KeiyakuList_PrePage", kKeiyakuList, 690, 586, 76),
    BtnLabel("Label_Panel_KeiyakuList_PrePage", kKeiyakuList, 690, 586, 76, "F5 前頁"),
    BtnShape("Shape_Panel_KeiyakuList_NextPage", kKeiyakuList, 772, 586, 76),
    BtnLabel("Label_Panel_KeiyakuList_NextPage", kKeiyakuList, 772, 586, 76, "F6 次頁"),
};

#undef REPORT_HEADER
#undef REDISP_AND_PAGES

}  // namespace

std::span<const ControlDef> TenkenListLayout() { return kTenken; }
std::span<const ControlDef> KeiyakuListLayout() { return kKeiyaku; }

}  // namespace tankora::app
