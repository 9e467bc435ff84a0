#pragma once

#include <QRect>

// Where the main window's parts go for a window size, in twips; recomputed on every resize. A
// rectangle with a negative width or height is one the window cannot take: the part keeps its
// previous place.
struct MainLayout {
    static constexpr int LEFT_PANEL_WIDTH = 3900;
    static constexpr int MARGIN = 70;

    struct Input {
        int windowWidth = 0; // outer width
        int innerHeight = 0; // client height
        int coolbarHeight = 0;
        int statusBarHeight = 0;
        int tabHeight = 0; // height of the left tab set's tabs
        int imgTitlesHeight = 0;
        int lblTitleHeight = 0;
    };

    QRect tabLeft;
    QRect imgTitles;
    QRect lblTitle;
    QRect lblTitleShadow;
    QRect tabDive;

    static MainLayout compute(const Input& in);
    // The outer window width at which the dive tabs are `tabDiveWidth` wide.
    static int windowWidthFor(int tabDiveWidth);
    static bool fits(const QRect& r) { return r.width() >= 0 && r.height() >= 0; }
};
