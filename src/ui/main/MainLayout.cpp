#include "MainLayout.h"

#include <algorithm>

MainLayout MainLayout::compute(const Input& in) {
    MainLayout l;
    const int tabLeftWidth = LEFT_PANEL_WIDTH + 270;
    l.tabLeft = QRect(0, in.coolbarHeight - 10, tabLeftWidth, in.innerHeight - in.statusBarHeight - in.coolbarHeight);

    const int imgLeft = tabLeftWidth - 10;
    l.imgTitles = QRect(imgLeft, in.coolbarHeight, in.windowWidth - imgLeft, in.imgTitlesHeight);

    const int titleTop = l.imgTitles.top() + l.imgTitles.height();
    const int tabDiveLeft = LEFT_PANEL_WIDTH + 290;
    const int tabDiveWidth = in.windowWidth - (tabLeftWidth + 120);
    const int tabDiveTop = titleTop + in.lblTitleHeight;
    // A title band taller than the left tabs' captions would push the dive tabs' bottom edge under
    // the status bar: they end where the status bar begins.
    const int tabDiveHeight =
        std::min(in.innerHeight - (in.tabHeight + in.statusBarHeight + l.imgTitles.top() + l.imgTitles.height()),
                 in.innerHeight - in.statusBarHeight - tabDiveTop);
    l.tabDive = QRect(tabDiveLeft, tabDiveTop, tabDiveWidth, tabDiveHeight);

    const int titleWidth = tabDiveWidth + tabLeftWidth - 40;
    l.lblTitle = QRect(tabDiveLeft, titleTop, titleWidth, in.lblTitleHeight);
    l.lblTitleShadow = l.lblTitle.translated(30, 30);
    return l;
}

int MainLayout::windowWidthFor(int tabDiveWidth) {
    // compute() gives the dive tabs the window's width less the left tabs' and a margin.
    return tabDiveWidth + LEFT_PANEL_WIDTH + 270 + 120;
}
