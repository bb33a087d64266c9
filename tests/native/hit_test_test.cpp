// The click map: which painted area a press at client x, y hits.
#include <gtest/gtest.h>

#include "launcher_rules.h"

namespace {

const ClickTarget None = ClickTarget::None, Start = ClickTarget::Start, Exit = ClickTarget::Exit,
                  Normal = ClickTarget::NormalQuality, Ultra = ClickTarget::UltraHighQuality,
                  Full = ClickTarget::Fullscreen, Window = ClickTarget::Window;

struct Press {
    unsigned x, y;
    ClickTarget expected;
};

void ExpectHits(std::initializer_list<Press> presses)
{
    for (const Press& p : presses)
        EXPECT_EQ(p.expected, HitTest(p.x, p.y)) << "press at " << p.x << ", " << p.y;
}

TEST(HitTest, StartCoversItsAreaAndWinsWhereItOverlapsTheWindowRow)
{
    ExpectHits({{231, 446, Start},
                {360, 493, Start},
                {231, 493, Start},
                {360, 446, Start},
                {240, 460, Start},
                {274, 474, Start},
                {230, 460, Window},
                {361, 470, None},
                {300, 445, None},
                {300, 494, None}});
}

TEST(HitTest, ExitCoversItsAreaOnly)
{
    ExpectHits({{372, 453, Exit},
                {429, 489, Exit},
                {400, 470, Exit},
                {371, 470, None},
                {430, 470, None},
                {400, 452, None},
                {400, 490, None}});
}

TEST(HitTest, RowsSpanTheOptionsColumn)
{
    ExpectHits({{68, 256, Normal},
                {274, 274, Normal},
                {67, 260, None},
                {275, 260, None},
                {68, 300, Ultra},
                {274, 300, Ultra},
                {67, 300, None},
                {275, 300, None},
                {68, 420, Full},
                {274, 420, Full},
                {67, 420, None},
                {275, 420, None},
                {68, 460, Window},
                {230, 460, Window},
                {67, 460, None}});
}

TEST(HitTest, DownTheColumnRowsAndGapsAlternate)
{
    ExpectHits({{100, 0, None},
                {100, 255, None},
                {100, 256, Normal},
                {100, 274, Normal},
                {100, 275, None},
                {100, 285, None},
                {100, 286, Ultra},
                {100, 309, Ultra},
                {100, 310, None},
                {100, 410, None},
                {100, 411, Full},
                {100, 439, Full},
                {100, 440, None},
                {100, 445, None},
                {100, 446, Window},
                {100, 474, Window},
                {100, 475, None},
                {100, 499, None}});
}

TEST(HitTest, PaintedTextOutsideTheAreasHitsNothing)
{
    // Logo, introduction, headings and the ULTRA HIGH note's right part.
    ExpectHits({{200, 50, None},
                {200, 120, None},
                {80, 160, None},
                {100, 235, None},
                {100, 390, None},
                {350, 310, None},
                {100, 195, None}});
}

TEST(HitTest, WordsFromPressesLeftOfOrAboveTheWindowHitNothing)
{
    // A press at x -1 arrives as the unsigned word 65535, never as a small coordinate.
    ExpectHits({{65535, 260, None},
                {100, 65535, None},
                {65535, 65535, None},
                {65536 + 100, 260, None},
                {100, 65536 + 260, None},
                {0xFFFFFFFFu, 460, None}});
}

}  // namespace
