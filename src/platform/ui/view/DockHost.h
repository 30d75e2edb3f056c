// The middle of an application frame: its MDI area with the windows docked
// along its edges (PROP:Docked). Windows docked at the top or bottom lie in
// bands across the frame, the first docked nearest the edge; those at the
// left or right stand between the bands, side by side; the MDI area takes
// what is left. Each docked window keeps its own size. A docked window is a child widget of the host,
// so it moves and shows with the frame, whichever thread it belongs to.
#pragma once

#include "platform/text/Text.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class QMdiArea;

namespace platform {

class WindowView;

class DockHost : public QWidget {
    Q_OBJECT
public:
    DockHost(QMdiArea* area, QWidget* parent);

    // Lays the view along that edge (DOCK::Left, ...), after those docked
    // there before; docked elsewhere, it moves.
    void dock(WindowView& view, Long edge);
    // The view floats again: a top-level window, not yet shown.
    void release(WindowView& view);
    // Every docked view floats again, as the frame goes.
    void releaseAll();
    void layOut();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Docked {
        QPointer<WindowView> view;
        Long edge = 0;
    };
    void forgetGone();

    QMdiArea* area_;
    std::vector<Docked> docked_;
};

}  // namespace platform
