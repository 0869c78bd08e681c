// The customer screen: Panel_Kanri with the 25-row customer list on the left,
// the customer record on the right, the command bar at the bottom, and the
// month plan panel Panel_KensinSyuukinMonth that covers the record's lower part.
//
// The record part is a grid: captions from x 248, fields from x 446, each
// item's frame 24 pixels high per line, items 2 pixels apart.
#include <iterator>

#include "app/layout.h"

namespace tankora::app {
namespace {

constexpr const char* kKanri = "Panel_Kanri";
constexpr const char* kMonth = "Panel_KensinSyuukinMonth";

constexpr ControlDef Cap(int x, int y, int w, const char* text, const char* parent = kKanri,
                         Justify justify = Justify::Left) {
  ControlDef d{"", parent, Kind::Caption, x, y, w, 16, text};
  d.justify = justify;
  return d;
}
constexpr ControlDef Frame(const char* name, int x, int y, int w, int h,
                           const char* parent = kKanri) {
  ControlDef d{name, parent, Kind::Shape, x, y, w, h};
  d.colour = kCream;  // the frame and its edits read as one field
  return d;
}
constexpr ControlDef Ed(const char* name, int x, int y, int w, const char* parent = kKanri) {
  ControlDef d{name, parent, Kind::Edit, x, y, w, 20, "", kEditFont};
  d.colour = kCream;
  return d;
}
// A zero-width edit that only holds the focus (command fields, the list's
// resting place after a row is chosen).
constexpr ControlDef Holder(const char* name, int x, int y) {
  return ControlDef{name, kKanri, Kind::Edit, x, y, 0, 18};
}
constexpr ControlDef Box(const char* name, int x, int y, int w, const char* caption,
                         const char* parent = kKanri, Kind kind = Kind::CheckBox) {
  ControlDef d{name, parent, kind, x, y, w, 18, caption};
  d.colour = kWhite;
  return d;
}
constexpr ControlDef CmdShape(const char* name, int x, int w) {
  ControlDef d{name, kKanri, Kind::Shape, x, 586, w, 25};
  d.colour = kBtnFace;
  return d;
}
constexpr ControlDef CmdLabel(const char* name, int x, int w, const char* caption) {
  ControlDef d{name, kKanri, Kind::Command, x, 589, w, 19, caption, kCommandFont};
  d.justify = Justify::Centre;
  return d;
}
constexpr ControlDef SubTab(const char* name, const char* parent, int x, int y, int w,
                            const char* caption, bool current) {
  ControlDef d{name, parent, Kind::Command, x, y, w, 20, caption, kCommandFont};
  d.colour = current ? kNavy : kWhite;
  d.textColour = current ? kWhite : kBlack;
  d.justify = Justify::Centre;
  return d;
}

// Rows of the record part: top of each item's frame.
constexpr int kAddressY = 142;
constexpr int kSettiY = kAddressY + 48;
constexpr int kSyoriY = kSettiY + 26;
constexpr int kDateY = kSyoriY + 26;
constexpr int kUseY = kDateY + 26;
constexpr int kUkeoiY = kUseY + 26;
constexpr int kSetubisiY = kUkeoiY + 26;
constexpr int kKindY = kSetubisiY + 48;
constexpr int kSinyouY = kKindY + 48;
constexpr int kYoutoY = kSinyouY + 26;
constexpr int kGyousyaY = kYoutoY + 70;
constexpr int kKeiyakuY = kGyousyaY + 26;
static_assert(kKeiyakuY + 46 <= 586, "the record part must end above the command bar");

constexpr int kCapX = 248;
constexpr int kFieldX = 446;

constexpr ControlDef kCustomer[] = {
    // The list column.
    Cap(18, 11, 100, "顧客一覧"),
    {"Label_KokyakuChoose_Line", kKanri, Kind::Caption, 137, 9, 36, 18, "", kCountFont, kSkyBlue,
     kBlack, Justify::Right},
    Cap(175, 10, 10, "/", kKanri, Justify::Centre),
    {"Label_KokyakuDs", kKanri, Kind::Caption, 187, 9, 36, 18, "", kCountFont, kSkyBlue, kBlack,
     Justify::Right},
    {"Shape_Kokyaku_%02d", kKanri, Kind::Shape, 16, 30, 207, 21, "", kFormFont, kCream, kBlack,
     Justify::Left, 25, 0, 22, kLightGrey},
    {"Label_Kokyaku_Kana_%02d", kKanri, Kind::Command, 19, 32, 34, 17, "", kListFont, kNoColour,
     kBlack, Justify::Left, 25, 0, 22},
    {"Label_Kokyaku_Name_%02d", kKanri, Kind::Command, 59, 32, 162, 17, "", kListFont, kNoColour,
     kBlack, Justify::Left, 25, 0, 22},
    CmdShape("Shape_KokyakuBeforePage", 16, 62),
    CmdLabel("Label_KokyakuBeforePage", 20, 54, "F5 前頁"),
    CmdShape("Shape_KokyakuNextPage", 162, 62),
    CmdLabel("Label_KokyakuNextPage", 166, 54, "F6 次頁"),
    Holder("Edit_KokyakuList_Temp", 96, 590),
    Box("CheckBox_AllDispSW", 238, 12, 123, "削除した顧客も表示"),

    {"Label_Manual", kKanri, Kind::Command, 752, 10, 110, 16, "マニュアルを見る", kFormFont,
     kNoColour, 0x0000C0, Justify::Right},

    // The basic part, always visible beside the month panel.
    Cap(kCapX, 41, 150, "かな"),
    Frame("Shape_Kokyaku_Kana", kFieldX, 36, 58, 24),
    Ed("Edit_Kokyaku_Kana", kFieldX + 4, 38, 50),
    Cap(kCapX, 67, 150, "名前"),
    Frame("Shape_Kokyaku_Name", kFieldX, 62, 174, 24),
    Ed("Edit_Kokyaku_Name", kFieldX + 4, 64, 166),
    Cap(kFieldX + 180, 67, 90, "（必須項目）"),
    Cap(kCapX, 92, 150, "区分"),
    Frame("Shape_Kubun", kFieldX, 88, 130, 22),
    Box("CheckBox_Tandoku", kFieldX + 6, 90, 56, "単独"),
    Box("CheckBoxGappei", kFieldX + 68, 90, 56, "合併"),
    Cap(kCapX, 122, 300, "以下は必要に応じて入力してください"),
    SubTab("Label_KokyakuBasocInfo_1", kKanri, 674, 119, 72, "基本情報", true),
    SubTab("Label_KokyakuTenkenSyuukinInfo_1", kKanri, 750, 119, 112, "点検・集金関係", false),

    // Address and telephone of the administrator.
    Cap(kCapX, kAddressY + 5, 190, "管理者の住所"),
    Frame("Shape_Kokyaku_Address", kFieldX, kAddressY, 416, 46),
    Cap(kFieldX + 6, kAddressY + 5, 14, "〒"),
    Ed("Edit_Kokyaku_Zip1", kFieldX + 20, kAddressY + 2, 36),
    Cap(kFieldX + 57, kAddressY + 5, 10, "-", kKanri, Justify::Centre),
    Ed("Edit_Kokyaku_Zip2", kFieldX + 68, kAddressY + 2, 46),
    Cap(kFieldX + 150, kAddressY + 5, 28, "TEL"),
    Ed("Edit_Kokyaku_Tel", kFieldX + 180, kAddressY + 2, 146),
    Ed("Edit_Kokyaku_Address", kFieldX + 6, kAddressY + 24, 330),

    Cap(kCapX, kSettiY + 5, 190, "浄化槽の設置場所"),
    Frame("Shape_Kokyaku_SettiAddress", kFieldX, kSettiY, 342, 24),
    Ed("Edit_Kokyaku_SettiAddress", kFieldX + 6, kSettiY + 2, 330),

    Cap(kCapX, kSyoriY + 5, 190, "浄化槽の規模及び処理方法"),
    Frame("Shape_Kokyaku_SyoriWay", kFieldX, kSyoriY, 304, 24),
    Ed("Edit_Kokyaku_Basic_Ninsou", kFieldX + 6, kSyoriY + 2, 36),
    Cap(kFieldX + 44, kSyoriY + 5, 28, "人槽"),
    Cap(kFieldX + 80, kSyoriY + 5, 50, "処理方法"),
    Ed("Edit_Kokyaku_Basic_SyoriWay", kFieldX + 132, kSyoriY + 2, 166),

    // Construction start and completion dates.
    Cap(kCapX, kDateY + 5, 190, "着工年月日及び竣工年月日"),
    Frame("Shape_Kokyaku_Date", kFieldX, kDateY, 356, 24),
    Cap(kFieldX + 6, kDateY + 5, 26, "着工"),
    DATE_EDITS("Edit_Kokyaku_StartYear", "Edit_Kokyaku_StartMonth", "Edit_Kokyaku_StartDay",
               kFieldX + 34, kDateY, "日"),
    Cap(kFieldX + 182, kDateY + 5, 26, "竣工"),
    DATE_EDITS("Edit_Kokyaku_EndYear", "Edit_Kokyaku_EndMonth", "Edit_Kokyaku_EndDay",
               kFieldX + 210, kDateY, "日"),

    Cap(kCapX, kUseY + 5, 190, "使用開始年月日"),
    Frame("Shape_Kokyaku_UseStartDate", kFieldX, kUseY, 152, 24),
    DATE_EDITS("Edit_Kokyaku_UseStartYear", "Edit_Kokyaku_UseStartMonth",
               "Edit_Kokyaku_UseStartDay", kFieldX + 6, kUseY, "日"),

    Cap(kCapX, kUkeoiY + 5, 190, "工事請負金額"),
    Frame("Shape_Kokyaku_UkeoiKingaku", kFieldX, kUkeoiY, 132, 24),
    Ed("Edit_Kokyaku_UkeoiKingaku", kFieldX + 6, kUkeoiY + 2, 104),
    Cap(kFieldX + 112, kUkeoiY + 5, 14, "円"),

    Cap(kCapX, kSetubisiY + 3, 196, "当該工事に関わる浄化槽設備士の"),
    Cap(kCapX, kSetubisiY + 25, 196, "氏名及び免許状の交付番号"),
    Frame("Shape_Kokyaku_Setubisi", kFieldX, kSetubisiY, 294, 46),
    Cap(kFieldX + 6, kSetubisiY + 5, 76, "設備士の氏名"),
    Ed("Edit_Kokyaku_Setubisi", kFieldX + 84, kSetubisiY + 2, 166),
    Cap(kFieldX + 6, kSetubisiY + 27, 76, "交付番号"),
    WithFont(Ed("Edit_Kokyaku_KoufuNo", kFieldX + 84, kSetubisiY + 24, 146), kCodeFont),

    Cap(kCapX, kKindY + 5, 196, "国土交通大臣型式認定浄化槽"),
    Cap(kCapX, kKindY + 27, 196, "型式・処理方法・人相"),
    Frame("Shape_Kokyaku_Kind", kFieldX, kKindY, 416, 46),
    Cap(kFieldX + 6, kKindY + 5, 30, "名称"),
    Ed("Edit_Kokyaku_Kind_Meisyou", kFieldX + 38, kKindY + 2, 166),
    Cap(kFieldX + 208, kKindY + 5, 52, "認定番号"),
    WithFont(Ed("Edit_Kokyaku_Kind_NinteiNo", kFieldX + 262, kKindY + 2, 146), kCodeFont),
    Cap(kFieldX + 6, kKindY + 27, 30, "型式"),
    WithFont(Ed("Edit_Kokyaku_Kind_Katasiki", kFieldX + 38, kKindY + 24, 146), kCodeFont),
    // The 416 pixels of the frame leave the treatment method six full-width
    // characters here; it scrolls while typed. Its twin in the line
    // "浄化槽の規模及び処理方法" above shows it whole.
    Cap(kFieldX + 188, kKindY + 27, 50, "処理方法"),
    Ed("Edit_Kokyaku_Kind_Syorihouhou", kFieldX + 240, kKindY + 24, 110),
    Ed("Edit_Kokyaku_Kouji_Ninsou", kFieldX + 352, kKindY + 24, 36),
    Cap(kFieldX + 389, kKindY + 27, 24, "人槽"),

    Cap(kCapX, kSinyouY + 5, 190, "施工工事種類"),
    Frame("Shape_Sinyou", kFieldX, kSinyouY, 262, 24),
    Box("RadioButton_SinyouOnly", kFieldX + 6, kSinyouY + 3, 90, "し尿のみ", kKanri, Kind::Radio),
    Box("RadioButton_SinyouHaisui", kFieldX + 104, kSinyouY + 3, 150, "し尿及び雑排水", kKanri,
        Kind::Radio),

    Cap(kCapX, kYoutoY + 3, 196, "当該浄化槽において処理するし尿等"),
    Cap(kCapX, kYoutoY + 25, 196, "を排出する建築物の用途及び延べ"),
    Cap(kCapX, kYoutoY + 47, 196, "面積"),
    Frame("Shape_Kokyaku_Youto", kFieldX, kYoutoY, 416, 68),
    WithFontPixels(Ed("Edit_Kokyaku_Youto_1", kFieldX + 6, kYoutoY + 2, 404), kYoutoFontPixels),
    WithFontPixels(Ed("Edit_Kokyaku_Youto_2", kFieldX + 6, kYoutoY + 24, 404), kYoutoFontPixels),
    WithFontPixels(Ed("Edit_Kokyaku_Youto_3", kFieldX + 6, kYoutoY + 46, 404), kYoutoFontPixels),

    Cap(kCapX, kGyousyaY + 5, 190, "管理業者"),
    Frame("Shape_Kokyaku_KanriGyousya", kFieldX, kGyousyaY, 178, 24),
    Ed("Edit_Kokyaku_KanriGyousya", kFieldX + 6, kGyousyaY + 2, 166),
    Cap(kFieldX + 186, kGyousyaY + 5, 52, "清掃業者"),
    Frame("Shape_Kokyaku_SeisouGyousya", kFieldX + 238, kGyousyaY, 178, 24),
    Ed("Edit_Kokyaku_SeisouGyousya", kFieldX + 244, kGyousyaY + 2, 166),

    Cap(kCapX, kKeiyakuY + 5, 190, "契約日"),
    Frame("Shape_Kokyaku_Keiyaku_Date", kFieldX, kKeiyakuY, 152, 22),
    DATE_EDITS("Edit_Kokyaku_Keiyaku_Year", "Edit_Kokyaku_Keiyaku_Month",
               "Edit_Kokyaku_Keiyaku_Day", kFieldX + 6, kKeiyakuY - 1, "日"),
    Cap(kCapX, kKeiyakuY + 29, 190, "契約期間"),
    Frame("Shape_Kokyaku_KeiyakuKikan_Date", kFieldX, kKeiyakuY + 24, 312, 22),
    DATE_EDITS("Edit_Kokyaku_Keiyaku_StartYear", "Edit_Kokyaku_Keiyaku_StartMonth",
               "Edit_Kokyaku_Keiyaku_StartDay", kFieldX + 6, kKeiyakuY + 23, "日～"),
    DATE_EDITS("Edit_Kokyaku_Keiyaku_EndYear", "Edit_Kokyaku_Keiyaku_EndMonth",
               "Edit_Kokyaku_Keiyaku_EndDay", kFieldX + 166, kKeiyakuY + 23, "日"),
    Holder("Edit_PanelKanri_CommandChoose", 700, 590),

    // The command bar.
    CmdShape("Shape_KokyakuWrite", 246, 76),
    CmdLabel("Label_KokyakuWrite", 250, 68, "F1 登録"),
    CmdShape("Shape_KokyakuDelete", 326, 76),
    CmdLabel("Label_KokyakuDelete", 330, 68, "F2 削除"),
    CmdShape("Shape_KokyakuComplateDelete", 406, 188),
    CmdLabel("Label_KokyakuComplateDelete", 410, 180, "F3 データ整理（完全削除）"),
    CmdShape("Shape_KokyakuNew", 598, 76),
    CmdLabel("Label_KokyakuNew", 602, 68, "F8 追加"),
    CmdShape("Shape_ProgramEnd", 786, 76),
    CmdLabel("Label_ProgramEnd", 790, 68, "F9 終了"),

    // The month plan, over the record's lower part; hidden until its tab.
    {kMonth, kKanri, Kind::Panel, 242, 112, 629, 507, "", kFormFont, kBtnFace, kBlack,
     Justify::Left, 1, 0, 0, kNoColour, false},
    SubTab("Label_KokyakuBasocInfo_2", kMonth, 432, 7, 72, "基本情報", false),
    SubTab("Label_KokyakuTenkenSyuukinInfo_2", kMonth, 508, 7, 112, "点検・集金関係", true),
    Cap(4, 22, 420, "点検月、集金月にチェックを付けてください。集金額も入力します。", kMonth),
    Cap(214, 42, 40, "点検", kMonth, Justify::Centre),
    Cap(292, 42, 40, "集金", kMonth, Justify::Centre),
    Cap(352, 42, 86, "集金額", kMonth, Justify::Centre),
    {"", kMonth, Kind::Caption, 160, 63, 50, 16, "%d月", kFormFont, kNoColour, kBlack,
     Justify::Right, 12, 0, 22},
    {"Shape_Tenken_%02d", kMonth, Kind::Shape, 221, 61, 24, 21, "", kFormFont, kWhite, kBlack,
     Justify::Left, 12, 0, 22},
    {"CheckBox_Tenken_%02d", kMonth, Kind::CheckBox, 224, 62, 18, 19, "", kFormFont, kWhite, kBlack,
     Justify::Left, 12, 0, 22},
    {"Shape_Syuukin_%02d", kMonth, Kind::Shape, 299, 61, 24, 21, "", kFormFont, kWhite, kBlack,
     Justify::Left, 12, 0, 22},
    {"CheckBox_Syuukin_%02d", kMonth, Kind::CheckBox, 302, 62, 18, 19, "", kFormFont, kWhite,
     kBlack, Justify::Left, 12, 0, 22},
    {"Shape_Syukinngaku_%02d", kMonth, Kind::Shape, 349, 61, 92, 21, "", kFormFont, kWhite, kBlack,
     Justify::Left, 12, 0, 22},
    {"Edit_Syukinngaku_%02d", kMonth, Kind::Edit, 352, 62, 86, 19, "", kEditFont, kCream, kBlack,
     Justify::Left, 12, 0, 22},
    Cap(160, 330, 50, "年間", kMonth, Justify::Right),
    {"Label_TenkenKaisuu", kMonth, Kind::Caption, 214, 328, 24, 18, "", kCountFont, kNoColour,
     kBlack, Justify::Right},
    Cap(240, 330, 14, "回", kMonth),
    {"Label_SyuukinKaisuu", kMonth, Kind::Caption, 292, 328, 24, 18, "", kCountFont, kNoColour,
     kBlack, Justify::Right},
    Cap(318, 330, 14, "回", kMonth),
    {"Label_SyuukinnTotal", kMonth, Kind::Caption, 352, 328, 86, 18, "", kCountFont, kNoColour,
     kBlack, Justify::Right},
    // The statutory interval under the counters, and what the table cannot tell.
    {"Label_HouteiKankaku", kMonth, Kind::Caption, 20, 356, 600, 18, "", kCountFont, kNoColour,
     kBlack},
    {"Label_HouteiKankakuNote", kMonth, Kind::Caption, 20, 378, 600, 16, "", kFormFont, kNoColour,
     kBlack},
};

#undef DATE_EDITS

}  // namespace

std::span<const ControlDef> CustomerLayout() { return kCustomer; }

}  // namespace tankora::app
