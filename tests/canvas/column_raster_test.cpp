#include "canvas/column_raster.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace tavo {
namespace {

TEST(ColumnRaster, StepsByColumnsOnlyStaysOrMovesOneRight) {
    const struct {
        std::vector<Point> points;
        bool steps;
    } cases[] = {
        {{}, true},
        {{{5, 1}}, true},
        {{{5, 1}, {5, 9}, {6, 0}, {7, 3}, {7, 3}}, true},
        {{{5, 1}, {7, 1}}, false},             // a zoomed-in step skips a column
        {{{5, 1}, {4, 1}}, false},             // back to the left
        {{{INT_MAX, 0}, {INT_MIN, 0}}, false}, // no overflow in the difference
        {{{INT_MAX - 1, 0}, {INT_MAX, 0}}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StepsByColumns(c.points), c.steps) << c.points.size() << " points";
}

// A 6 x 12 picture inside a guard border two pixels wide, drawn as rows of '#' and '.'.
std::vector<std::string> Draw(const std::vector<Point>& points) {
    const int w = 6, h = 12, guard = 2, stride = w + 2 * guard;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride * (h + 2 * guard)), 0u);
    DrawColumnPolyline({pixels.data() + guard * stride + guard, stride, w, h}, points, 1u);
    std::vector<std::string> rows;
    for (int y = 0; y < h + 2 * guard; ++y) {
        std::string row;
        for (int x = 0; x < stride; ++x) {
            const bool inside = x >= guard && x < guard + w && y >= guard && y < guard + h;
            const std::uint32_t p = pixels[static_cast<std::size_t>(y * stride + x)];
            if (!inside && p != 0u)
                ADD_FAILURE() << "wrote outside the buffer at " << x - guard << "," << y - guard;
            if (inside)
                row += p != 0u ? '#' : '.';
        }
        if (!row.empty())
            rows.push_back(row);
    }
    return rows;
}

TEST(ColumnRaster, EachColumnIsOneRunFromItsPointsAndTheStepOn) {
    // Down 4 rows to the next column (rows 1..4 left), a column of four points (5, 2, 9,
    // 6: rows 2..9), level on (row 6 alone), up 3 (rows 6..4 left, 3 right), and a
    // column that ends the line.
    const std::vector<std::string> want{
        "......", //
        "#.....", //
        "##....", //
        "##..#.", //
        "##.##.", //
        ".#.#..", //
        ".###..", //
        ".#....", //
        ".#....", //
        ".#....", //
        "......", //
        "......",
    };
    EXPECT_EQ(Draw({{0, 1}, {1, 5}, {1, 2}, {1, 9}, {1, 6}, {2, 6}, {3, 6}, {4, 3}, {4, 4}}), want);
}

TEST(ColumnRaster, LeavesWhatLiesOutsideTheBuffer) {
    // Beyond every edge: only the rows and columns inside are lit.
    const auto rows =
        Draw({{-1, 3}, {0, -50}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 20}, {5, 30}, {6, 0}});
    const std::vector<std::string> want{"#.....", "#....#", "######", "....##"};
    for (std::size_t y = 0; y < rows.size(); ++y)
        EXPECT_EQ(rows[y], want[std::min<std::size_t>(y, 3)]) << "row " << y;
    // Far beyond, where a careless step would overflow: nothing at all.
    EXPECT_EQ(Draw({{INT_MAX - 1, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MAX, INT_MIN}})[0], "......");
}

} // namespace
} // namespace tavo
