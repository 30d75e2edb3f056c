// The shape of the style manager's configuration window: the centre with
// the eight ellipses around it (ConfigureShape.h).
//
// BuildShapedWindowRegion makes it a region and sets it, with a redraw, on
// the window opened last on the calling thread, which must be open: the
// region starts empty and each outline, 1 to 9, is XORed in as a polygon
// (winding fill), every point moved by the frame's width (SM_CXFRAME) and
// by the caption's and frame's height (SM_CYCAPTION + SM_CYFRAME), so the
// shape keeps its place in the client area. No two outlines overlap: the
// shape is their union. AddShapePoints1 to 9 each add one outline's points
// to the point queue, in order:
//
//   outline  box (left, top) to (right, bottom)
//   1        (3, 233) to (175, 351)     an ellipse
//   2        (94, 371) to (266, 489)    an ellipse
//   3        (105, 97) to (277, 215)    an ellipse
//   4        (283, 151) to (473, 430)   the centre
//   5        (577, 238) to (749, 356)   an ellipse
//   6        (298, 453) to (470, 571)   an ellipse
//   7        (313, 5) to (485, 123)     an ellipse
//   8        (503, 373) to (675, 491)   an ellipse
//   9        (516, 100) to (688, 218)   an ellipse
//
// The object holds nothing: every build starts afresh.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"

#define POINTQUEUE_FIELDS(F)   \
    F(platform::Short, X)      \
    F(platform::Short, Y)
struct POINTQUEUERecord {
    TABLOOM_RECORD(POINTQUEUERecord, "", POINTQUEUE_FIELDS)
};

class ZelConfigureShapeClass {
public:
    void BuildShapedWindowRegion();
    void AddShapePoints1(platform::Queue<POINTQUEUERecord>& points);
    void AddShapePoints2(platform::Queue<POINTQUEUERecord>& points);
    void AddShapePoints3(platform::Queue<POINTQUEUERecord>& points);
    void AddShapePoints4(platform::Queue<POINTQUEUERecord>& points);
    void AddShapePoints5(platform::Queue<POINTQUEUERecord>& points);
    void AddShapePoints6(platform::Queue<POINTQUEUERecord>& points);
    void AddShapePoints7(platform::Queue<POINTQUEUERecord>& points);
    void AddShapePoints8(platform::Queue<POINTQUEUERecord>& points);
    void AddShapePoints9(platform::Queue<POINTQUEUERecord>& points);
};
