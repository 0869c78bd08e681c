// The words the demo office is made of (UTF-8; converted to CP932 once).
// Places, firms and tank models are made up; the readings cover every kana
// row so the customer list shows its sort from ｱ to ﾜ.
#pragma once

namespace tankora::demo {

struct Surname {
  const char* kanji;
  const char* reading;  // hiragana; the program's own conversion makes it ｶﾅ
};

inline constexpr Surname kSurnames[] = {
    {"安藤", "あんどう"},   {"石井", "いしい"},     {"上田", "うえだ"},   {"遠藤", "えんどう"},
    {"大塚", "おおつか"},   {"岡田", "おかだ"},     {"加藤", "かとう"},   {"木村", "きむら"},
    {"久保", "くぼ"},       {"小林", "こばやし"},   {"後藤", "ごとう"},   {"佐藤", "さとう"},
    {"斎藤", "さいとう"},   {"清水", "しみず"},     {"鈴木", "すずき"},   {"関口", "せきぐち"},
    {"相馬", "そうま"},     {"田中", "たなか"},     {"高橋", "たかはし"}, {"千葉", "ちば"},
    {"土屋", "つちや"},     {"手塚", "てづか"},     {"富田", "とみた"},   {"中村", "なかむら"},
    {"西田", "にしだ"},     {"沼田", "ぬまた"},     {"根岸", "ねぎし"},   {"野口", "のぐち"},
    {"長谷川", "はせがわ"}, {"原", "はら"},         {"平野", "ひらの"},   {"福田", "ふくだ"},
    {"本田", "ほんだ"},     {"松本", "まつもと"},   {"三浦", "みうら"},   {"村上", "むらかみ"},
    {"森", "もり"},         {"山田", "やまだ"},     {"矢野", "やの"},     {"湯浅", "ゆあさ"},
    {"吉田", "よしだ"},     {"竜崎", "りゅうざき"}, {"尾崎", "おざき"},   {"丸山", "まるやま"},
    {"渡辺", "わたなべ"},   {"和田", "わだ"},       {"青木", "あおき"},   {"萩原", "はぎわら"},
    {"星野", "ほしの"},     {"宮崎", "みやざき"},   {"髙橋", "たかはし"}, {"荒井", "あらい"},
    {"今井", "いまい"},     {"金子", "かねこ"},     {"桑原", "くわばら"}, {"島田", "しまだ"},
    {"杉山", "すぎやま"},   {"内藤", "ないとう"},   {"樋口", "ひぐち"},   {"横山", "よこやま"},
};

inline constexpr const char* kGivenNames[] = {
    "一郎", "健二", "誠",   "博",   "隆",   "浩",   "正人", "和子", "洋子", "恵子",
    "美香", "直樹", "裕子", "修",   "勝",   "清",   "茂",   "幸子", "明美", "大輔",
    "翔太", "陽子", "芳江", "勇",   "節子", "進",   "昭",   "久美", "由美", "悟",
    "哲也", "智子", "稔",   "弘子", "光男", "千代", "豊",   "聡",   "真理", "静香",
};

// Customers that are not households: bigger tanks, other uses.
struct Business {
  const char* name;
  const char* reading;
  int ninsou;
  const char* use;   // building use (用途)
  const char* area;  // floor area line
};

inline constexpr Business kBusinesses[] = {
    {"若葉保育園", "わかば", 50, "保育所", "延べ面積　４８０㎡"},
    {"㈱東山製作所", "ひがしやま", 30, "事務所・工場", "延べ面積　６２０㎡"},
    {"コーポ若葉", "こーぽ", 21, "共同住宅（６戸）", "延べ面積　３１０㎡"},
    {"レストラン風車", "れすとらん", 18, "飲食店", "延べ面積　１４０㎡"},
    {"西川村公民館", "にしかわ", 50, "集会所", "延べ面積　５５０㎡"},
    {"ロッジ山の家", "ろっじ", 30, "宿泊施設", "延べ面積　３９０㎡"},
    {"南原歯科医院", "みなみはら", 14, "診療所", "延べ面積　１６０㎡"},
    {"㈲丸栄商店", "まるえい", 10, "店舗併用住宅", "延べ面積　１９０㎡"},
    {"ハイツ栄町", "はいつ", 21, "共同住宅（８戸）", "延べ面積　３６０㎡"},
    {"栄町集会所", "さかえ", 14, "集会所", "延べ面積　１２０㎡"},
    {"旅館みどり荘", "りょかん", 50, "旅館", "延べ面積　８２０㎡"},
    {"喫茶ぽぷら", "きっさ", 7, "店舗", "延べ面積　　７５㎡"},
};

// Towns the office serves, with their postcodes (made up).
struct Town {
  const char* name;  // city and district
  const char* zip1;
  const char* zip2;
  const char* tel;  // area code and exchange of its fixed lines
};

inline constexpr Town kTowns[] = {
    {"若葉市本町", "379", "2101", "0270-21-"},     {"若葉市栄町", "379", "2104", "0270-22-"},
    {"若葉市緑ヶ丘", "379", "2112", "0270-23-"},   {"若葉市旭町", "379", "2115", "0270-24-"},
    {"東山町大字上原", "379", "2301", "0270-65-"}, {"東山町大字下原", "379", "2302", "0270-66-"},
    {"西川村大字中沢", "379", "2521", "0270-72-"}, {"南原町桜台", "379", "2703", "0270-81-"},
};

// Tank models: made-up makers and type names, with the treatment of each.
struct TankModel {
  const char* name;       // 名称
  const char* katasiki;   // 型式 before the size: "HK-" + 7 + "型"
  const char* syori;      // 処理方法
  const char* ninteiPre;  // 認定番号 before the number
  bool gappei;            // combined treatment (し尿及び雑排水) or stand-alone
};

inline constexpr TankModel kModels[] = {
    {"ホクセイ合併浄化槽", "HK-", "嫌気ろ床接触ばっ気", "国認第", true},
    {"ワカバクリーン", "WC-", "担体流動生物ろ過", "国認第", true},
    {"ミナモＮ型", "MN-", "接触ばっ気", "国認第", true},
    {"ホクセイ単独槽", "HT-", "分離接触ばっ気", "建認第", false},
    {"ミナモ腐敗槽", "MF-", "腐敗槽", "建認第", false},
    {"ゼンバッキ", "ZB-", "全ばっ気", "建認第", false},
};

inline constexpr const char* kHouseUses[] = {"専用住宅", "専用住宅", "専用住宅", "併用住宅"};

inline constexpr const char* kCleaners[] = {"若葉清掃㈲", "東山衛生社", "㈱西川環境"};

// The office itself.
inline constexpr const char* kCompanyName = "有限会社若葉環境サービス";
inline constexpr const char* kCompanyShortName = "若葉環境サービス";
inline constexpr const char* kCompanyAddress = "若葉市本町１丁目２番３号";
inline constexpr const char* kCompanyPerson = "山岸　勇";
inline constexpr const char* kCompanyTel = "0270-21-5310";
inline constexpr const char* kCompanyAddressee = "若葉保健福祉事務所長　様";
inline constexpr const char* kTopMargin = "3";
inline constexpr const char* kLeftMargin = "2";

// The office's certified installers (浄化槽設備士) and inspectors (管理士).
inline constexpr const char* kInstallers[] = {"山岸　勇", "小松　拓也"};
inline constexpr const char* kInstallerNos[] = {"第０５２１３号", "第１１８０４号"};
inline constexpr const char* kInspectors[] = {"小松　拓也", "佐々木　健", "大野　美穂"};

// 外観, by how clear the effluent is.
inline constexpr const char* kClear[] = {"透明", "透明", "微濁"};
inline constexpr const char* kCloudy[] = {"微濁", "やや濁り", "濁り"};

// Remarks of an ordinary visit, and of one with something to put right.
inline constexpr const char* kRoutineRemarks[] = {
    "ブロワ異常なし。消毒剤補充。",
    "ブロワ点検、スカム１ｃｍ。消毒剤補充。",
    "異常なし。",
    "ろ材の目詰まりなし。消毒剤補充。",
    "スカム２ｃｍ。汚泥の堆積少量。",
    "ブロワのフィルター清掃。消毒剤補充。",
    "マンホールのがたつき調整。",
    "槽内異常なし。次回清掃は来春の予定。",
};
inline constexpr const char* kLowTransparencyRemark = "透視度低下のため逆洗を実施。再点検予定。";
inline constexpr const char* kPhRemark = "ｐＨ異常、ばっ気量を調整。経過を観察。";
inline constexpr const char* kChlorineRemark = "消毒剤切れのため補充。";
inline constexpr const char* kSludgeRemark = "汚泥多め、清掃業者へ清掃を依頼。";

}  // namespace tankora::demo
