// Name lists and their combination into unique synthetic names.
#include "tools/sample-league/SampleNames.h"

#include "league/LeagueError.h"
#include "league/TextCodec.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace tenvoll::sample {

namespace {

// Family names; several hold characters whose second Shift-JIS byte is 0x5C
// (表 能 十 ソ), and some are four characters long.
constexpr std::array<std::string_view, 70> kFamily = {
    "青木", "赤松", "秋山",     "浅野",   "荒井",   "飯田",   "石川",   "今井", "岩崎", "上田",
    "内田", "江口", "大橋",     "岡本",   "小川",   "加藤",   "川村",   "菊地", "木下", "工藤",
    "黒田", "小島", "後藤",     "近藤",   "斎藤",   "坂本",   "佐野",   "島田", "杉山", "関口",
    "高木", "竹内", "田村",     "千葉",   "土屋",   "寺田",   "中野",   "永井", "西村", "野村",
    "橋本", "浜田", "平野",     "福田",   "藤井",   "星野",   "堀内",   "前田", "松井", "丸山",
    "三浦", "宮本", "村上",     "森田",   "矢野",   "山下",   "横山",   "吉川", "和田", "能見",
    "十河", "表",   "勅使河原", "小野寺", "長谷川", "五十嵐", "十文字", "能登", "表原", "宗像"};

constexpr std::array<std::string_view, 24> kGivenStart = {
    "ソウ", "ケン", "リュウ", "ダイ", "ショウ", "ユウ", "タク", "コウ",
    "シン", "ハル", "ナオ",   "カズ", "トモ",   "マサ", "ヒロ", "タツ",
    "ノブ", "ヨシ", "アキ",   "ソラ", "ジュン", "テツ", "レン", "カイ"};
constexpr std::array<std::string_view, 15> kGivenEnd = {"",   "タ",   "スケ",   "ジ",     "ヘイ",
                                                        "ト", "マ",   "キ",     "ヤ",     "イチ",
                                                        "ゴ", "ロウ", "ノスケ", "ジロウ", "キチ"};
constexpr std::array<std::string_view, 18> kGivenKanji = {
    "十郎", "表太", "能成", "健太", "翔", "大輔", "拓海", "蓮", "湊",
    "陽斗", "悠真", "颯",   "誠",   "剛", "浩二", "雄一", "守", "勝"};

// Handed out first, so that even the smallest sample holds them.
constexpr std::array<std::string_view, 6> kFixed = {
    "能見ソウイチロウ", "十河表太郎", "勅使河原ソウスケ", "表十蔵", "五十嵐能成", "大十字ソラ"};

// The first 24 are the original lists; the small league keeps entries 22 and
// 23, the main league takes the others in order.
constexpr std::array<std::string_view, 50> kPrefix = {
    "暁星", "蒼海", "白峰", "紅葉", "銀河", "疾風", "雷鳴", "翠嶺", "朝凪", "北斗",
    "南風", "東雲", "黒潮", "青嵐", "桜花", "若葉", "月影", "星川", "天城", "白鷺",
    "琥珀", "瑠璃", "碧空", "茜雲", "紫電", "金剛", "翡翠", "朱雀", "玄武", "白虎",
    "青龍", "山吹", "萌黄", "藤波", "夕凪", "春雷", "秋桜", "冬木", "夏空", "海鳴",
    "花筏", "雪嶺", "霧島", "岩清", "陽炎", "松風", "竹林", "梅林", "菖蒲", "紫苑"};
constexpr std::array<std::string_view, 24> kMascot = {
    "ペガサス",     "グリフォンズ",   "ワイバーンズ",   "ユニコーンズ",   "コメッツ",
    "ミーティアズ", "サイクロンズ",   "トルネーダス",   "クラーケンズ",   "ガーゴイルズ",
    "オーロラズ",   "セイレーンズ",   "ケルベロス",     "スフィンクス",   "ヒッポグリフ",
    "バジリスクス", "ミノタウロス",   "レヴィアタンズ", "サラマンダーズ", "ゴーレムズ",
    "シルフィーズ", "ウンディーネズ", "ノームズ",       "ルフズ"};
constexpr std::array<std::string_view, 8> kMarks = {"◆", "●", "■", "▲", "★", "◎", "◇", "○"};

// Where the small league's two identities sit in the lists.
constexpr int kSmallLeagueFirst = 22;
constexpr int kSmallLeagueTeams = 2;

std::size_t characterCount(std::string_view utf8) {
    std::size_t n = 0;
    for (char c : utf8)
        if (utf8SequenceLength(static_cast<unsigned char>(c)) != 0)
            ++n;
    return n;
}

std::string givenName(std::size_t i) {
    std::size_t combos = kGivenStart.size() * kGivenEnd.size();
    if (i < combos)
        return std::string(kGivenStart[i / kGivenEnd.size()]) +
               std::string(kGivenEnd[i % kGivenEnd.size()]);
    return std::string(kGivenKanji[i - combos]);
}

constexpr std::size_t kGivenCount = kGivenStart.size() * kGivenEnd.size() + kGivenKanji.size();

// Beyond the usual given names (big leagues): two starts and an end, "ソウケンタ".
std::string longGivenName(std::size_t i) {
    std::size_t ends = kGivenEnd.size();
    std::size_t starts = kGivenStart.size();
    return std::string(kGivenStart[i / (starts * ends)]) +
           std::string(kGivenStart[i / ends % starts]) + std::string(kGivenEnd[i % ends]);
}

constexpr std::size_t kLongGivenCount = kGivenStart.size() * kGivenStart.size() * kGivenEnd.size();

} // namespace

NamePool::NamePool(std::uint64_t seed) : random_(Random(seed).fork(0x4E414D45)) {}

std::string NamePool::next() {
    while (fixedGiven_ < kFixed.size()) {
        std::string name(kFixed[fixedGiven_++]);
        if (used_.insert(name).second)
            return name;
    }
    return nextGenerated();
}

std::string NamePool::nextGenerated() {
    auto accept = [&](std::string name, std::string& out) {
        if (characterCount(name) > 8 || !used_.insert(name).second)
            return false;
        out = std::move(name);
        return true;
    };
    auto usual = [](std::size_t family, std::size_t given) {
        return std::string(kFamily[family]) + givenName(given);
    };
    std::string name;
    if (cursor_ < kFamily.size() * kGivenCount) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            auto family = static_cast<std::size_t>(random_.range(0, int(kFamily.size()) - 1));
            auto given = static_cast<std::size_t>(random_.range(0, int(kGivenCount) - 1));
            if (accept(usual(family, given), name))
                return name;
        }
    }
    // Nearly exhausted: the first free combination, then the long given names.
    // Names are never freed, so the walk goes on where it stopped.
    for (; cursor_ < kFamily.size() * kGivenCount; ++cursor_)
        if (accept(usual(cursor_ / kGivenCount, cursor_ % kGivenCount), name))
            return name;
    for (; longCursor_ < kFamily.size() * kLongGivenCount; ++longCursor_)
        if (accept(std::string(kFamily[longCursor_ / kLongGivenCount]) +
                       longGivenName(longCursor_ % kLongGivenCount),
                   name))
            return name;
    throw LeagueError("サンプルの選手名が足りません。選手数か期数を減らしてください。");
}

std::string TeamIdentity::nameLine(int role) const {
    return name[role] + " " + shortName[role] + " " + mark[role] + " " + ground[role];
}

int maxTeams() {
    return int(kPrefix.size()) - kSmallLeagueTeams;
}

std::vector<TeamIdentity> makeTeams(int count, bool smallLeague, NamePool& names, Random& random) {
    std::vector<TeamIdentity> teams;
    for (int i = 0; i < count; ++i) {
        int k = smallLeague ? kSmallLeagueFirst + i
                            : (i < kSmallLeagueFirst ? i : i + kSmallLeagueTeams);
        std::string prefix(kPrefix[k]);
        std::string mascot(kMascot[(k * 7) % kMascot.size()]);
        TeamIdentity t;
        t.name[0] = prefix + mascot;
        t.name[1] = prefix + "ヤング" + mascot;
        t.shortName[0] = prefix;
        t.shortName[1] = prefix + "二";
        t.mark[0] = t.mark[1] = std::string(kMarks[k % kMarks.size()]);
        t.ground[0] = prefix + "球場";
        t.ground[1] = prefix + "第二球場";
        char number[16];
        std::snprintf(number, sizeof number, "%02d", k + 1);
        for (int role = 0; role < 2; ++role) {
            names.reserve(t.name[role]);
            names.reserve(t.shortName[role]);
            t.uniform[role] = std::string("UNI") + number + (role == 0 ? "H" : "F") + " SYM" +
                              number + " BGM" + number;
            // The nine tendencies, each one of -2, -1, 0, +1, +2 as the game writes them.
            std::string manager = names.nextGenerated();
            for (int v = 0; v < 9; ++v) {
                const int tendency = random.range(-2, 2);
                manager += (tendency > 0 ? " +" : " ") + std::to_string(tendency);
            }
            t.manager[role] = manager;
        }
        teams.push_back(std::move(t));
    }
    return teams;
}

} // namespace tenvoll::sample
