// Career chart values from a player section: abilities by grade or number,
// aptitude grades, statistics with a pitcher's outs counted into his innings,
// terms without a value left out, and the teams with their terms.
#include "player/CareerChartData.h"

#include "charts/SvgRender.h"
#include "league/IniStore.h"

#include <gtest/gtest.h>

using namespace tenvoll;

namespace {

const char* kPlayers = R"([打者]
新規=3
最終=6
投手=0
0003能力=6 打者 右 普 C C C C C C C C C C C C 9 C C 300 
0003資質=25 A B C D E 
0003成績=打者 東 .280 130 450 126 20 2 12 60 5 40 80 8 4 .420 .340 
0003所属=東京
0004能力=6 打者 右 普 B C C C C C C C C C C C 9 C C 310 
0004資質=26 S B C D E 
0004成績=
0004所属=東京
0005能力=6 打者 右 普 A C C C C C C C C C C C 9 C C 320 
0005資質=27 S B C D E 
0005成績=打者 阪 .301 140 480 144 20 2 18 70 5 40 80 8 4 .470 .360 
0005所属=大阪
0006能力=6 打者 右 普 A C C C C C C C C C C C 9 C C 315 
0006資質=28 S B C D E 
[投手]
新規=1
最終=2
投手=1
0001能力=P 投手 右 本 140 A B C D E S 5 400 
0001資質=22 A 
0001成績=投手 東 3.10 25 2 10 8 0 0 150 2 140 12 40 120 52 .556 7.20 
0001所属=東京
0002能力=P 投手 右 本 142 S B C D E S 6 410 
0002成績=投手 東 2.90 26 3 12 6 0 0 160 1 130 10 35 130 51 .667 7.30 
0002所属=東京
)";

std::string points(const charts::CareerChartSeries& s) {
    std::string out = s.label + ":";
    for (const auto& [term, value] : s.points)
        out += " " + std::to_string(term) + "=" + std::to_string(value).substr(0, 6);
    return out;
}

std::size_t item(bool pitcher, const char* label) {
    return careerItemIndex(pitcher, label).value();
}

} // namespace

TEST(CareerChartData, BatterGradesNumbersAptitudesAndStatisticsOverTheTerms) {
    const IniStore store = IniStore::parse(kPlayers);
    const IniSection& batter = *store.section("打者");
    const charts::CareerChartData data =
        careerChartData(batter, "打者", {item(false, "能力:捕"), item(false, "成績:打率")});
    ASSERT_EQ(data.series.size(), 2u);
    EXPECT_EQ(points(data.series[0]), "能力:捕: 3=3.0000 4=4.0000 5=5.0000 6=5.0000");
    // Term 4 has no statistics line and term 6 none at all.
    EXPECT_EQ(points(data.series[1]), "成績:打率: 3=0.2800 5=0.3010");

    const charts::CareerChartData more = careerChartData(
        batter, "打者", {item(false, "指数"), item(false, "資質:Sp"), item(false, "齢")});
    ASSERT_EQ(more.series.size(), 2u); // two series at most
    EXPECT_EQ(points(more.series[0]), "能力:指数: 3=300.00 4=310.00 5=320.00 6=315.00");
    EXPECT_EQ(points(more.series[1]), "資質:Sp: 3=5.0000 4=6.0000 5=6.0000 6=6.0000");

    ASSERT_EQ(data.teams.size(), 2u);
    EXPECT_EQ(data.teams[0].team, "東京");
    EXPECT_EQ(data.teams[0].firstTerm, 3);
    EXPECT_EQ(data.teams[0].lastTerm, 4);
    EXPECT_EQ(data.teams[1].firstTerm, 5);
    EXPECT_EQ(charts::careerChartTitle(data),
              (std::vector<std::string>{"打者  能力:捕 / 成績:打率", "東京 (3–4期) → 大阪 (5期)"}));
}

TEST(CareerChartData, PitcherInningsCountTheirOutsAndNamesAreUnique) {
    const IniStore store = IniStore::parse(kPlayers);
    const IniSection& pitcher = *store.section("投手");
    const charts::CareerChartData data =
        careerChartData(pitcher, "投手", {item(true, "成績:回"), item(true, "能力:球速")});
    EXPECT_EQ(points(data.series[0]), "成績:回: 1=150.66 2=160.33");
    EXPECT_EQ(points(data.series[1]), "能力:球速: 1=140.00 2=142.00");
    // "回" is both the recovery ability and the innings: only the full label tells.
    EXPECT_FALSE(careerItemIndex(true, "回"));
    EXPECT_TRUE(careerItemIndex(true, "能力:回"));
    EXPECT_FALSE(careerItemIndex(true, "成績:ア")); // the outs are in the innings
    for (bool kind : {false, true})
        for (const CareerItem& i : careerItems(kind))
            EXPECT_EQ(careerItemIndex(kind, i.label), &i - careerItems(kind).data()) << i.label;
}

TEST(CareerChartSvg, DrawsTheChartWithEscapedTextsAndAClip) {
    const IniStore store = IniStore::parse(kPlayers);
    charts::TXYGraphCore graph;
    charts::setUpCareerGraph(
        graph, careerChartData(*store.section("打者"), "<打者>&", {defaultCareerItem(false)}));
    // The line, its four markers and the team change at term 5.
    ASSERT_EQ(graph.seriesCount(), 2);
    EXPECT_EQ(graph.series(0)->pointCount(), 4);
    EXPECT_EQ(graph.series(1)->pointCount(), 1);
    const std::string svg = charts::renderGraphToSvg(graph, 640, 360);
    EXPECT_TRUE(svg.starts_with("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\""));
    EXPECT_TRUE(svg.ends_with("</svg>\n"));
    EXPECT_NE(svg.find("&lt;打者&gt;&amp;  能力:指数"), std::string::npos);
    EXPECT_EQ(svg.find("<打者>"), std::string::npos);
    EXPECT_NE(svg.find("<clipPath id=\"c1\">"), std::string::npos);
    EXPECT_NE(svg.find("<polyline"), std::string::npos);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
    // A player without any value still gives a picture.
    charts::setUpCareerGraph(
        graph, careerChartData(*store.section("打者"), "打者", {item(false, "成績:盗")}));
    charts::setUpCareerGraph(graph, charts::CareerChartData{"誰か", {{"成績:打率", {}}}, {}});
    EXPECT_TRUE(charts::renderGraphToSvg(graph, 640, 360).ends_with("</svg>\n"));
}
