#include "platform/ui/WindowView.h"

#include "platform/text/Codepage.h"
#include "platform/ui/QueueModel.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace platform {
namespace {

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu: return true;
        default: return false;
    }
}

WindowView* viewHolding(QObject* watched) {
    for (auto* w = static_cast<QWidget*>(watched); w; w = w->parentWidget())
        if (auto* view = qobject_cast<WindowView*>(w)) return view;
    return nullptr;
}

// Input meets the program before any widget: a window under a modal window
// of its thread takes none, and keys go to the program first (alerted keys,
// menu accelerators), wherever the focus is inside a window of the layer.
class InputFilter : public QObject {
public:
    static void install() {
        static InputFilter* filter = nullptr;
        if (!filter) {
            filter = new InputFilter(qApp);
            qApp->installEventFilter(filter);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isInput(event->type()) || !watched->isWidgetType()) return false;
        WindowView* view = viewHolding(watched);
        if (!view) return false;
        if (view->blocked()) {
            if (event->type() == QEvent::MouseButtonPress) view->raiseModalWindow();
            return true;
        }
        if (event->type() != QEvent::KeyPress) return false;
        bool consumed = false;
        view->takeKey(*static_cast<QKeyEvent*>(event), static_cast<QWidget*>(watched), consumed);
        return consumed;
    }

private:
    using QObject::QObject;
};

// Leaving a text control accepts what the user typed into it.
class FocusOutAccepts : public QObject {
public:
    FocusOutAccepts(QObject* parent, std::function<void()> accept) : QObject(parent), accept_(std::move(accept)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) accept_();
        return false;
    }

private:
    std::function<void()> accept_;
};

void limitToPicture(QLineEdit* edit, const std::string& picture) {
    if (const std::size_t width = pictureWidth(picture); width > 0) edit->setMaxLength(static_cast<int>(width));
}

bool isTextControl(Long type) {
    return type == CREATE::entry || type == CREATE::combo || type == CREATE::text;
}

void setColumnWidths(QTableView* table, const std::vector<ListColumn>& columns, const DialogUnits& du) {
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        const int width = columns[static_cast<std::size_t>(i)].width;
        if (width > 0) table->setColumnWidth(i, du.toPixelsX(width));
        table->setColumnHidden(i, width == 0);
    }
}

// Columns the user can resize follow the mouse; the others keep their width.
void setColumnResizing(QHeaderView* header, const std::vector<ListColumn>& columns) {
    for (int i = 0; i < static_cast<int>(columns.size()); ++i)
        header->setSectionResizeMode(i, columns[static_cast<std::size_t>(i)].resizable ? QHeaderView::Interactive
                                                                                       : QHeaderView::Fixed);
}

// Draws a list's cells as its format says: the content indented from the
// side it is aligned to, and a line down the right of a column with a border.
class ListColumnDelegate : public QStyledItemDelegate {
public:
    ListColumnDelegate(const QueueModel& rows, QObject* parent) : QStyledItemDelegate(parent), rows_(rows) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        // The row's background spans the cell; only the content moves.
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        styleOf(option)->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, option.widget);
        QStyledItemDelegate::paint(painter, indented(option, index), index);
        if (!columnOf(index).rightBorder) return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }

    // A mark's check box is clicked where it is drawn.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        return QStyledItemDelegate::editorEvent(event, model, indented(option, index), index);
    }

private:
    static QStyle* styleOf(const QStyleOptionViewItem& option) {
        return option.widget ? option.widget->style() : QApplication::style();
    }
    const ListColumn& columnOf(const QModelIndex& index) const {
        return rows_.columns().at(static_cast<std::size_t>(index.column()));
    }
    // The style keeps a margin of its own; the indent counts from the cell's edge.
    QStyleOptionViewItem indented(const QStyleOptionViewItem& option, const QModelIndex& index) const {
        const ListColumn& column = columnOf(index);
        const int margin = styleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1;
        const int shift = std::max(0, DialogUnits(option.font).toPixelsX(column.indent) - margin);
        QStyleOptionViewItem content(option);
        if (column.justification == 'L') content.rect.adjust(shift, 0, 0, 0);
        if (column.justification == 'R' || column.justification == 'D') content.rect.adjust(0, 0, -shift, 0);
        return content;
    }

    const QueueModel& rows_;
};

// A spin box stepping through the texts of its queue's rows (field 1).
class QueueSpinBox : public QSpinBox {
public:
    QueueSpinBox(QueueBase* rows, QWidget* parent) : QSpinBox(parent), rows_(rows) {
        setWrapping(true);
        if (rows_) listener_ = rows_->listen([this] { fitRange(); });
        fitRange();
    }
    ~QueueSpinBox() override { detach(); }
    void detach() {
        if (rows_) rows_->unlisten(listener_);
        rows_ = nullptr;
    }
    void showText(const QString& text) { setValue(valueFromText(text)); }
    void setTextReadOnly(bool readOnly) { lineEdit()->setReadOnly(readOnly); }
    QLineEdit* edit() const { return lineEdit(); }

protected:
    QString textFromValue(int row) const override {
        const bool inQueue = rows_ && row >= 1 && static_cast<std::size_t>(row) <= rows_->records();
        return inQueue ? toQString(clip(rows_->rowText(static_cast<std::size_t>(row), 1))) : QString();
    }
    int valueFromText(const QString& text) const override {
        for (int row = 1; rows_ && static_cast<std::size_t>(row) <= rows_->records(); ++row)
            if (textFromValue(row).compare(text.trimmed(), Qt::CaseInsensitive) == 0) return row;
        return value();
    }
    QValidator::State validate(QString&, int&) const override { return QValidator::Acceptable; }

private:
    void fitRange() { setRange(1, rows_ ? std::max(1, static_cast<int>(rows_->records())) : 1); }

    QueueBase* rows_;
    int listener_ = 0;
};

// A double click on a control becomes its key, for alert keys.
class DoubleClickAsKey : public QObject {
public:
    DoubleClickAsKey(QObject* parent, std::function<void()> pressed) : QObject(parent), pressed_(std::move(pressed)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick) return false;
        pressed_();
        return true;
    }

private:
    std::function<void()> pressed_;
};

}  // namespace

WindowView::WindowView(Window& model) : model_(&model) {
    InputFilter::install();
    setWindowFlag(Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    const WindowSpec& spec = model.spec();
    setFont(mappedFont(spec.fontName, spec.fontSize));
    setWindowTitle(toQString(spec.title));
    setWindowIcon(iconFor(spec.icon));

    client_ = new QWidget(this);
    client_->setAutoFillBackground(true);
    if (model.isApplication()) {
        auto* layout = new QVBoxLayout(client_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        menuBar_ = new QMenuBar(client_);
        layout->addWidget(menuBar_);
        mdiArea_ = new QMdiArea(client_);
        mdiArea_->setBackground(colorFromNumber(static_cast<Long>(0x8000000C)));
        layout->addWidget(mdiArea_, 1);
        statusBar_ = new QStatusBar(client_);
        layout->addWidget(statusBar_);
    }
    buildMenus();
    buildControls(spec.controls, client_);

    systemMenu_ = new QMenu(this);
    QAction* close = systemMenu_->addAction(tr("&Close"));
    connect(close, &QAction::triggered, this, [this] {
        if (model_) model_->userClosed();
    });

    for (Long n : model.controlNumbers()) applyText(n);
    applyGeometry();
    if (spec.mdi && Window::applicationFrame() && Window::applicationFrame()->view())
        showAsMdiChild();
    else
        showAsTopLevel();
}

// Qt may delete a view the model still holds: an MDI child's goes with its
// frame's.
WindowView::~WindowView() {
    if (model_) model_->viewGone();
}

void WindowView::showAsMdiChild() {
    QMdiArea* area = Window::applicationFrame()->view()->mdiArea();
    if (!area) return showAsTopLevel();
    sub_ = area->addSubWindow(this, Qt::FramelessWindowHint | Qt::SubWindow);
    sub_->setAttribute(Qt::WA_DeleteOnClose, false);
    sub_->resize(size());
    sub_->show();
    area->setActiveSubWindow(sub_);
}

void WindowView::showAsTopLevel() {
    if (QScreen* screen = QApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - rect().center());
    }
    show();
    activateWindow();
}

void WindowView::dispose() {
    model_ = nullptr;
    // A control's queue may be the procedure's and end before Qt deletes this view.
    for (auto* rows : findChildren<QueueModel*>()) rows->detach();
    for (const auto& [n, w] : widgets_)
        if (auto* spin = dynamic_cast<QueueSpinBox*>(w)) spin->detach();
    if (sub_) {
        sub_->hide();
        sub_->deleteLater();
    } else {
        hide();
        deleteLater();
    }
}

QWidget* WindowView::outer() const {
    return sub_ ? static_cast<QWidget*>(sub_.data()) : const_cast<WindowView*>(this);
}

QWidget* WindowView::widget(Long control) const {
    auto it = widgets_.find(control);
    return it == widgets_.end() ? nullptr : it->second;
}

QAction* WindowView::action(Long item) const {
    auto it = actions_.find(item);
    return it == actions_.end() ? nullptr : it->second;
}

Long WindowView::controlOf(const QWidget* w) const {
    for (; w && w != this; w = w->parentWidget())
        for (const auto& [n, widget] : widgets_)
            if (widget == w) return n;
    return 0;
}

void WindowView::takeKey(const QKeyEvent& key, QWidget* receiver, bool& consumed) {
    const Long code = keyCodeOf(key.key(), key.modifiers());
    if (!model_ || code == 0) return;
    const QString text = key.text();
    const Long character = text.size() == 1 ? static_cast<unsigned char>(fromQString(text).front()) : 0;
    consumed = model_->userPressedKey(code, controlOf(receiver), character);
}

bool WindowView::blocked() const { return model_ && model_->blocked(); }

void WindowView::raiseModalWindow() {
    Window* top = model_ ? Window::topWindowOf(model_->thread()) : nullptr;
    if (!top || !top->view()) return;
    // Offscreen windows have no stacking to change.
    if (QGuiApplication::platformName() != "offscreen") top->view()->outer()->raise();
    top->view()->outer()->activateWindow();
}

void WindowView::placePointer(Event& e) const {
    const QPoint global = QCursor::pos();
    const QPoint local = client_->mapFromGlobal(global);
    e.screenX = global.x();
    e.screenY = global.y();
    if (model_ && model_->numberProperty(0, PROP::Pixels) != 0) {
        e.mouseX = local.x();
        e.mouseY = local.y();
        return;
    }
    const DialogUnits du(font());
    e.mouseX = du.toUnitsX(local.x());
    e.mouseY = du.toUnitsY(local.y());
}

// ---- frame and caption -------------------------------------------------

QRect WindowView::captionRect() const {
    const int f = SystemMetrics::frameWidth;
    return {f, f, width() - 2 * f, SystemMetrics::captionHeight};
}

QRect WindowView::clientRect() const {
    const int f = SystemMetrics::frameWidth;
    const int top = f + SystemMetrics::captionHeight + SystemMetrics::edge;
    return {f, top, width() - 2 * f, height() - top - f};
}

QRect WindowView::closeBoxRect() const {
    const QRect caption = captionRect();
    const int side = caption.height() - 4;
    return {caption.right() - side - 2, caption.top() + 2, side, side};
}

void WindowView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), colorFromNumber(static_cast<Long>(0x8000000A)));
    p.setPen(colorFromNumber(static_cast<Long>(0x80000010)));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect caption = captionRect();
    QLinearGradient gradient(caption.topLeft(), caption.topRight());
    gradient.setColorAt(0, colorFromNumber(static_cast<Long>(0x80000002)));
    gradient.setColorAt(1, colorFromNumber(static_cast<Long>(0x8000001B)));
    p.fillRect(caption, gradient);
    int textLeft = caption.left() + 4;
    const QIcon icon = windowIcon();
    if (!icon.isNull()) {
        icon.paint(&p, QRect(caption.left() + 2, caption.top() + 2, 16, 16));
        textLeft += 18;
    }
    QFont titleFont = font();
    titleFont.setBold(true);
    p.setFont(titleFont);
    p.setPen(colorFromNumber(static_cast<Long>(0x80000009)));
    const QRect box = closeBoxRect();
    p.drawText(QRect(textLeft, caption.top(), box.left() - textLeft - 2, caption.height()),
               Qt::AlignVCenter | Qt::AlignLeft, windowTitle());
    p.fillRect(box, colorFromNumber(static_cast<Long>(0x8000000F)));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(box.topLeft() + QPoint(4, 4), box.bottomRight() - QPoint(4, 4));
    p.drawLine(box.topRight() + QPoint(-4, 4), box.bottomLeft() + QPoint(4, -4));
}

void WindowView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (!captionRect().contains(at) || event->button() != Qt::LeftButton) return;
    if (closeBoxRect().contains(at)) {
        if (model_) model_->userClosed();
        return;
    }
    if (at.x() < captionRect().left() + 20) {
        systemMenu_->popup(mapToGlobal(at));
        return;
    }
    dragging_ = true;
    dragFrom_ = event->globalPosition().toPoint() - outer()->pos();
}

void WindowView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) outer()->move(event->globalPosition().toPoint() - dragFrom_);
}

void WindowView::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void WindowView::closeEvent(QCloseEvent* event) {
    // The window manager asked: the program decides.
    event->ignore();
    if (model_) model_->userClosed();
}

void WindowView::applyGeometry() {
    const WindowSpec& spec = model_->spec();
    const DialogUnits du(font());
    const int f = SystemMetrics::frameWidth;
    const int w = du.toPixelsX(model_->numberProperty(0, PROP::Width)) + 2 * f;
    const int h = du.toPixelsY(model_->numberProperty(0, PROP::Height)) + 2 * f + SystemMetrics::captionHeight +
                  SystemMetrics::edge;
    designedSize_ = QSize(std::max(w, 120), std::max(h, 60));
    resize(designedSize_);
    client_->setGeometry(clientRect());
    if (spec.type != CREATE::application)
        for (const auto& [n, widget] : widgets_) placeControl(n);
}

// ---- menus -------------------------------------------------------------

void WindowView::buildMenus() {
    if (!menuBar_) return;
    buildMenu(nullptr, menuBar_, model_->spec().menubar);
    connect(menuBar_, &QMenuBar::hovered, this, [this](QAction* a) {
        if (statusBar_) statusBar_->showMessage(a->statusTip());
    });
}

void WindowView::buildMenu(QMenu* into, QMenuBar* bar, const std::vector<ControlSpec>& specs) {
    for (const ControlSpec& s : specs) {
        if (s.separator) {
            if (into) into->addSeparator();
            continue;
        }
        const Long number = model_->numberOf(&s);
        QAction* action = nullptr;
        if (s.type == CREATE::menu) {
            QMenu* menu = into ? into->addMenu(toQString(s.text)) : bar->addMenu(toQString(s.text));
            if (into) menu->setIcon(iconFor(s.icon));  // a menu bar would show the icon instead of the text
            action = menu->menuAction();
            connect(menu, &QMenu::hovered, this, [this](QAction* a) {
                if (statusBar_) statusBar_->showMessage(a->statusTip());
            });
            if (s.std == STD::WindowList)
                connect(menu, &QMenu::aboutToShow, this, [this, menu] { fillWindowMenu(menu); });
            buildMenu(menu, nullptr, s.children);
        } else {
            action = into ? into->addAction(toQString(s.text)) : bar->addAction(toQString(s.text));
            connect(action, &QAction::triggered, this, [this, number] {
                if (model_) model_->userChoseMenu(number);
            });
        }
        action->setStatusTip(toQString(s.msg));
        actions_[number] = action;
    }
}

void WindowView::fillWindowMenu(QMenu* menu) {
    for (QAction* a : menu->actions())
        if (a->property("windowList").toBool()) menu->removeAction(a), a->deleteLater();
    if (!mdiArea_) return;
    const auto subs = mdiArea_->subWindowList();
    if (!subs.isEmpty()) menu->addSeparator()->setProperty("windowList", true);
    int n = 1;
    for (QMdiSubWindow* sub : subs) {
        QAction* a = menu->addAction(QString("&%1 %2").arg(n++).arg(sub->widget()->windowTitle()));
        a->setProperty("windowList", true);
        connect(a, &QAction::triggered, mdiArea_, [area = mdiArea_, sub] { area->setActiveSubWindow(sub); });
    }
}

// ---- controls ----------------------------------------------------------

void WindowView::buildControls(const std::vector<ControlSpec>& specs, QWidget* parent) {
    for (const ControlSpec& s : specs) {
        const Long number = model_->numberOf(&s);
        QWidget* w = createControl(s, number, parent);
        widgets_[number] = w;
        const bool holdsChildren = s.type == CREATE::sheet || s.type == CREATE::tab;
        buildControls(s.children, holdsChildren ? w : parent);
        // Only once its tabs are in: adding them moves the current tab.
        if (s.type == CREATE::sheet) watchTabs(static_cast<QTabWidget*>(w), number);
    }
}

void WindowView::watchTabs(QTabWidget* sheet, Long number) {
    sheet->setCurrentIndex(model_->numberProperty(number, PROP::Selected) - 1);
    connect(sheet, &QTabWidget::currentChanged, this, [this, number](int index) {
        if (model_ && !applying_ && index >= 0) model_->userChoseRow(number, index + 1);
    });
}

QTabWidget* WindowView::sheetOf(Long tab) const {
    const Control* c = model_->control(tab);
    return c && c->type == CREATE::tab ? qobject_cast<QTabWidget*>(widget(c->parent)) : nullptr;
}

void WindowView::showTab(Long tab, QWidget* page, bool shown) {
    if (QTabWidget* sheet = sheetOf(tab)) sheet->setTabVisible(sheet->indexOf(page), shown);
}

QWidget* WindowView::createControl(const ControlSpec& s, Long number, QWidget* parent) {
    const QFont font = s.fontName.empty() ? this->font() : mappedFont(s.fontName, s.fontSize ? s.fontSize : 8);
    QWidget* w = nullptr;
    switch (s.type) {
        case CREATE::entry: {
            auto* edit = new QLineEdit(parent);
            limitToPicture(edit, s.text);
            if (s.password) edit->setEchoMode(QLineEdit::Password);
            edit->setReadOnly(s.readOnly);
            connect(edit, &QLineEdit::textEdited, this, [this, number](const QString& t) {
                if (model_) model_->userTyped(number, fromQString(t));
            });
            connect(edit, &QLineEdit::returnPressed, this, [this, number] {
                if (model_) model_->userAccepted(number);
            });
            w = edit;
            break;
        }
        case CREATE::combo: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);
            // The drop list shows only the program's rows, never what was typed.
            combo->setInsertPolicy(QComboBox::NoInsert);
            limitToPicture(combo->lineEdit(), s.text);
            if (!s.choices.empty()) combo->addItems(toQString(s.choices).split('|'));
            if (s.from) {
                combo->setModel(new QueueModel(*s.from, parseListFormat(s.format), combo));
                // The program's rows are no completions: what is typed stays as typed.
                combo->setCompleter(nullptr);
            }
            connect(combo->lineEdit(), &QLineEdit::textEdited, this, [this, number](const QString& t) {
                if (model_) model_->userTyped(number, fromQString(t));
            });
            connect(combo->lineEdit(), &QLineEdit::returnPressed, this, [this, number] {
                if (model_) model_->userAccepted(number);
            });
            connect(combo, &QComboBox::textActivated, this, [this, number, combo](const QString& t) {
                // Enter on a text in no row activates no row: the typed text stands.
                if (!model_ || applying_ || combo->currentIndex() < 0) return;
                model_->userTyped(number, fromQString(t));
                if (model_) model_->userAccepted(number);
            });
            w = combo;
            break;
        }
        case CREATE::text: {
            auto* text = new QPlainTextEdit(parent);
            text->setReadOnly(s.readOnly);
            connect(text, &QPlainTextEdit::textChanged, this, [this, number, text] {
                if (model_ && !applying_) model_->userTyped(number, fromQString(text->toPlainText()));
            });
            w = text;
            break;
        }
        case CREATE::list: {
            auto* table = new QTableView(parent);
            table->setSelectionBehavior(QAbstractItemView::SelectRows);
            table->setSelectionMode(QAbstractItemView::SingleSelection);
            table->verticalHeader()->hide();
            table->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
            table->setShowGrid(false);
            if (s.from) {
                auto* listModel =
                    new QueueModel(*s.from, parseListFormat(s.format), table, fieldNumber(*s.from, s.mark));
                table->setModel(listModel);
                // A new mark is a new selection of its row, as a click on the row is.
                listModel->onMarked = [this, number](int row) {
                    if (model_) model_->userChoseRow(number, row + 1);
                };
                const bool headings = std::any_of(listModel->columns().begin(), listModel->columns().end(),
                                                  [](const ListColumn& c) { return !c.header.isEmpty(); });
                table->horizontalHeader()->setVisible(headings);
                table->horizontalHeader()->setStretchLastSection(true);
                table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                table->setItemDelegate(new ListColumnDelegate(*listModel, table));
                setColumnWidths(table, listModel->columns(), DialogUnits(this->font()));
                setColumnResizing(table->horizontalHeader(), listModel->columns());
                connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                        [this, number](const QModelIndex& now) {
                            if (model_ && !applying_ && now.isValid()) model_->userChoseRow(number, now.row() + 1);
                        });
                connect(table, &QTableView::doubleClicked, this, [this, number] {
                    if (model_) model_->userAccepted(number);
                });
            }
            w = table;
            break;
        }
        case CREATE::spin: {
            auto* spin = new QueueSpinBox(s.from, parent);
            spin->setTextReadOnly(s.readOnly);
            connect(spin, &QSpinBox::textChanged, this, [this, number](const QString& t) {
                if (model_ && !applying_) model_->userTyped(number, fromQString(t));
            });
            spin->edit()->installEventFilter(new DoubleClickAsKey(spin, [this, number] {
                if (model_) model_->userPressedKey(KEY::MouseLeft2, number);
            }));
            w = spin;
            break;
        }
        case CREATE::button: {
            auto* button = new QPushButton(parent);
            button->setDefault(s.isDefault);
            button->setIcon(iconFor(s.icon));
            connect(button, &QPushButton::clicked, this, [this, number] {
                if (model_) model_->userAccepted(number);
            });
            w = button;
            break;
        }
        case CREATE::check: {
            auto* check = new QCheckBox(parent);
            connect(check, &QCheckBox::clicked, this, [this, number](bool ticked) {
                if (!model_) return;
                model_->userTyped(number, model_->property(number, ticked ? PROP::TrueValue : PROP::FalseValue));
                if (model_) model_->userAccepted(number);
            });
            w = check;
            break;
        }
        case CREATE::prompt:
        case CREATE::string:
        case CREATE::sstring: w = new QLabel(parent); break;
        case CREATE::sheet: w = new QTabWidget(parent); break;
        case CREATE::tab: {
            w = new QWidget;
            if (auto* sheet = qobject_cast<QTabWidget*>(parent)) sheet->addTab(w, QString());
            break;
        }
        case CREATE::image: {
            auto* image = new QLabel(parent);
            image->setPixmap(iconFor(s.icon).pixmap(32, 32));
            w = image;
            break;
        }
        default: w = new QWidget(parent); break;
    }
    w->setFont(font);
    if (isTextControl(s.type)) {
        QWidget* focusTarget = s.type == CREATE::combo ? static_cast<QComboBox*>(w)->lineEdit() : w;
        focusTarget->installEventFilter(new FocusOutAccepts(w, [this, number] {
            Control* c = model_ ? model_->control(number) : nullptr;
            if (c && c->editing) model_->userAccepted(number);
        }));
    }
    // A page's visibility belongs to its sheet.
    if (s.type == CREATE::tab) showTab(number, w, !s.hidden);
    else w->setVisible(!s.hidden);
    return w;
}

void WindowView::placeControl(Long number) {
    QWidget* w = widget(number);
    if (!w || sheetOf(number)) return;  // a sheet places its pages
    const DialogUnits du(font());
    const int x = du.toPixelsX(model_->numberProperty(number, PROP::Xpos));
    const int y = du.toPixelsY(model_->numberProperty(number, PROP::Ypos));
    int width = du.toPixelsX(model_->numberProperty(number, PROP::Width));
    int height = du.toPixelsY(model_->numberProperty(number, PROP::Height));
    const QSize natural = w->sizeHint();
    w->setGeometry(x, y, width > 0 ? width : natural.width(), height > 0 ? height : natural.height());
}

void WindowView::applyText(Long number) {
    if (number == 0) {
        setWindowTitle(toQString(model_->property(0, PROP::Text)));
        update();
        return;
    }
    if (number < 0) {
        if (QAction* a = action(number)) a->setText(toQString(model_->property(number, PROP::Text)));
        return;
    }
    QWidget* w = widget(number);
    const Control* c = model_->control(number);
    if (!w || !c) return;
    const std::string caption = model_->property(number, PROP::Text);
    const QString screen = toQString(c->screenText);
    applying_ = true;
    if (auto* label = qobject_cast<QLabel*>(w)) {
        if (c->type != CREATE::image) label->setText(withoutMnemonic(caption));
    }
    else if (auto* button = qobject_cast<QPushButton*>(w)) button->setText(toQString(caption));
    else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        check->setText(toQString(caption));
        check->setChecked(c->screenText == model_->property(number, PROP::TrueValue));
    } else if (QTabWidget* sheet = sheetOf(number)) {
        sheet->setTabText(sheet->indexOf(w), toQString(caption));
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        if (edit->text() != screen) edit->setText(screen);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->currentText() != screen) combo->setEditText(screen);
    } else if (auto* spin = dynamic_cast<QueueSpinBox*>(w)) {
        spin->showText(screen);
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        if (text->toPlainText() != screen) text->setPlainText(screen);
    }
    applying_ = false;
}

void WindowView::apply(Long number, Long prop) {
    if (!model_) return;
    switch (prop) {
        case PROP::Text:
            applyText(number);
            if (number > 0) placeControl(number);  // a control of natural size grows with its text
            return;
        case PROP::ScreenText: applyText(number); return;
        case PROP::Icon:
            if (number == 0) setWindowIcon(iconFor(model_->property(0, PROP::Icon))), update();
            return;
        case PROP::Xpos:
        case PROP::Ypos:
        case PROP::Width:
        case PROP::Height:
            if (number == 0) applyGeometry();
            else placeControl(number);
            return;
        case PROP::Hide: {
            const bool hidden = model_->numberProperty(number, PROP::Hide) != 0;
            if (number == 0) outer()->setVisible(!hidden);
            else if (sheetOf(number)) showTab(number, widget(number), !hidden);
            else if (QWidget* w = widget(number)) w->setVisible(!hidden);
            else if (QAction* a = action(number)) a->setVisible(!hidden);
            return;
        }
        case PROP::Disable: {
            const bool disabled = model_->numberProperty(number, PROP::Disable) != 0;
            if (QWidget* w = widget(number)) w->setEnabled(!disabled);
            else if (QAction* a = action(number)) a->setEnabled(!disabled);
            return;
        }
        case PROP::LineHeight:
            if (auto* table = qobject_cast<QTableView*>(widget(number))) {
                const DialogUnits du(font());
                table->verticalHeader()->setDefaultSectionSize(du.toPixelsY(model_->numberProperty(number, prop)));
            }
            return;
        case PROP::Selected: applySelected(number); return;
        case PROP::FontName:
        case PROP::FontSize: applyFont(number); return;
        case PROP::ReadOnly: {
            const bool readOnly = model_->numberProperty(number, prop) != 0;
            if (auto* edit = qobject_cast<QLineEdit*>(widget(number))) edit->setReadOnly(readOnly);
            else if (auto* spin = dynamic_cast<QueueSpinBox*>(widget(number))) spin->setTextReadOnly(readOnly);
            return;
        }
        case PROP::Wizard:
            if (auto* sheet = qobject_cast<QTabWidget*>(widget(number)))
                sheet->tabBar()->setVisible(model_->numberProperty(number, prop) == 0);
            return;
        case PROP::Edit: placeEditor(number); return;
        case PROP::IconList:
            if (auto* table = qobject_cast<QTableView*>(widget(number)))
                if (auto* rows = dynamic_cast<QueueModel*>(table->model())) {
                    std::vector<QIcon> icons;
                    for (const QString& name : toQString(model_->property(number, prop)).split('|', Qt::SkipEmptyParts))
                        icons.push_back(iconFor(fromQString(name)));
                    rows->setIcons(std::move(icons));
                }
            return;
        default: return;
    }
}

void WindowView::applySelected(Long number) {
    const int index = model_->numberProperty(number, PROP::Selected) - 1;
    applying_ = true;
    if (auto* table = qobject_cast<QTableView*>(widget(number))) {
        if (index >= 0) {
            table->selectRow(index);
        } else {
            table->clearSelection();
            table->selectionModel()->clearCurrentIndex();
        }
    } else if (auto* sheet = qobject_cast<QTabWidget*>(widget(number))) {
        sheet->setCurrentIndex(index);
    }
    applying_ = false;
}

void WindowView::applyFont(Long number) {
    QWidget* w = widget(number);
    if (!w) return;
    const std::string name = model_->property(number, PROP::FontName);
    const Long size = model_->numberProperty(number, PROP::FontSize);
    QFont font = name.empty() ? w->font() : mappedFont(name, w->font().pointSize());
    if (size > 0) font.setPointSize(static_cast<int>(size));
    w->setFont(font);
}

void WindowView::placeEditor(Long list) {
    auto* table = qobject_cast<QTableView*>(widget(list));
    if (!table || !table->model()) return;
    // Moving the focus off a hidden editor is no choice of the user.
    applying_ = true;
    if (auto shown = editors_.find(list); shown != editors_.end()) {
        shown->second->hide();
        editors_.erase(shown);
    }
    applying_ = false;
    QWidget* editor = widget(model_->numberProperty(list, PROP::Edit));
    if (!editor || editor == table) return;
    const QModelIndex row = table->model()->index(model_->numberProperty(list, PROP::Selected) - 1, 0);
    editor->setParent(table->viewport());
    editor->setGeometry(table->visualRect(row));
    editor->show();
    editor->raise();
    editors_[list] = editor;
}

void WindowView::addControl(Long number) {
    const Control* c = model_->control(number);
    if (!c || !c->spec) return;
    QWidget* parent = c->parent ? widget(c->parent) : client_;
    widgets_[number] = createControl(*c->spec, number, parent ? parent : client_);
    placeControl(number);
    applyText(number);
}

Long WindowView::focusedControl() const {
    const QWidget* focused = QApplication::focusWidget();
    return focused && isAncestorOf(focused) ? controlOf(focused) : 0;
}

void WindowView::repaintNow() { outer()->repaint(); }

void WindowView::focus(Long number) {
    QWidget* w = widget(number);
    if (!w) return;
    // A list taking the focus makes its first row current: no choice of the user.
    applying_ = true;
    w->setFocus(Qt::OtherFocusReason);
    applying_ = false;
}

// ---- standard actions --------------------------------------------------

void WindowView::standardAction(Long action) {
    QWidget* focused = QApplication::focusWidget();
    switch (action) {
        case STD::Cut:
        case STD::Copy:
        case STD::Paste: {
            static const char* slots[] = {"cut", "copy", "paste"};
            if (focused) QMetaObject::invokeMethod(focused, slots[action - STD::Cut]);
            return;
        }
        case STD::TileWindow:
            if (mdiArea_) mdiArea_->tileSubWindows();
            return;
        case STD::CascadeWindow:
            if (mdiArea_) mdiArea_->cascadeSubWindows();
            return;
        case STD::ArrangeIcons:
            if (mdiArea_) {
                int x = 0;
                for (QMdiSubWindow* sub : mdiArea_->subWindowList())
                    if (sub->isMinimized()) sub->move(x, mdiArea_->height() - sub->height()), x += sub->width();
            }
            return;
        default: return;
    }
}

void SETCURSOR(Long cursor) {
    static const std::map<Long, Qt::CursorShape> shapes = {
        {CURSOR::Arrow, Qt::ArrowCursor}, {CURSOR::Wait, Qt::WaitCursor}, {CURSOR::Cross, Qt::CrossCursor},
    };
    const auto shape = shapes.find(cursor);
    // One program-wide cursor: a new one replaces the last, never stacks on it.
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    if (shape != shapes.end()) QApplication::setOverrideCursor(QCursor(shape->second));
}

}  // namespace platform
