// The pictures of the style manager's configuration window, our own
// drawing: its icons, the decoration of its eight ellipses, the animated
// picture of its centre, the logo shown over it, and its two cursors.
#pragma once

#include <QImage>
#include <QPoint>
#include <vector>

// 32 by 32 pixels each.
QImage paletteIcon();     // Zel.ico, the window's own
QImage profilesIcon();    // ZelProfiles.ico
QImage propertiesIcon();  // ZelProperties.ico
QImage imageIcon();       // ZelImage.ico
QImage appearanceIcon();  // ZelAppearance.ico
QImage helpIcon();        // ZelHelp.ico
QImage aboutIcon();       // ZelAbout.ico
QImage closeIcon();       // ZelClose.ico and ZelOk.ico, a tick
QImage newIcon();         // ZelNew.ico, a sheet with a plus
QImage deleteIcon();      // ZelDelete.ico, a red cross
QImage lookupIcon();      // ZelLookup.ico, a magnifying glass

// ZelEllipse5.gif: one ellipse, filling the 173 by 119 pixels of its box.
QImage ellipseDecoration();
// "Zelora op maat 5.gif": the centre outline's box, 191 by 280 pixels, a
// palette whose paints light up one after another.
std::vector<QImage> customWorkFrames();
// MaatwerkZeloraLogo.gif
QImage customWorkLogo();

struct CursorPicture {
    QImage picture;
    QPoint hotSpot;
};
CursorPicture glove();     // GLOVE.CUR: a pointing hand
CursorPicture internet();  // ZelInternet.cur: an arrow on a globe
