#pragma once

// The 76 sheets of the printed atlas on the index picture: eight rows of 7, 9,
// 11, 11, 11, 11, 9 and 7 sheets, 94 picture pixels apart within a row and 130
// between rows. Each sheet's cell is 94 x 130 pixels around its reference point.
namespace atlassheets {

constexpr int SheetCount = 76;
constexpr int CellWidth = 94;
constexpr int CellHeight = 130;

// The index picture: a full-moon disc without libration.
constexpr int PictureWidth = 1056;
constexpr int PictureHeight = 1090;
constexpr int DiscCentreX = 528;
constexpr int DiscCentreY = 545;
constexpr int DiscRadius = 518;

struct ReferencePoint {
    int x = 0;
    int y = 0;
};

// Sheet n (1..76); {0, 0} for a number outside that range.
constexpr ReferencePoint sheetReferencePoint(int n)
{
    struct Row { int first, last, x0, y; };
    constexpr Row rows[] = {
        {1, 7, 235, 90},   {8, 16, 135, 220},  {17, 27, 55, 350}, {28, 38, 55, 480},
        {39, 49, 55, 610}, {50, 60, 55, 740},  {61, 69, 135, 870}, {70, 76, 235, 1000},
    };
    for (const Row& r : rows)
        if (n >= r.first && n <= r.last)
            return {r.x0 + 94 * (n - r.first), r.y};
    return {};
}

}
