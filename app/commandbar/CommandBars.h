#pragma once

#include <QIcon>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class CommandBar;
class CommandBarControl;
class CommandBars;
class QAction;
class QKeySequence;
class QMainWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

// Kinds of control.
namespace ControlKind {
enum : int { Button = 1, Popup = 2 };
}

// One button or popup of a bar, shown as a QAction in the bar's widget.  The
// model holds the state; the action only shows it, so a checkable button is
// never flipped by the toolkit: whoever handles CommandInvoked decides.
class CommandBarControl : public QObject {
    Q_OBJECT
public:
    int Type() const { return kind_; }
    int Id() const { return id_; }
    void setId(int id);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool Checked() const { return checked_; }
    void setChecked(bool checked);
    // A toggle shows its state also while unchecked: assistive technology
    // then reads it as a toggle that is off, not as a plain button.
    bool Toggle() const { return toggle_; }
    void setToggle(bool toggle);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // A separator stands before a control that starts a group.
    bool BeginGroup() const { return beginGroup_; }
    void setBeginGroup(bool beginGroup);
    // 3 on a toolbar button shows its picture and its caption.
    int Style() const { return style_; }
    void setStyle(int style);
    // A key that runs the control's command, also while its bar is hidden;
    // a toolbar button shows it in its tooltip.
    void setShortcut(const QKeySequence& shortcut);

    // A popup's sub-bar; nothing for a button.
    ::CommandBar* CommandBar() const { return subBar_; }
    // The bar this control stands in.
    ::CommandBar* Parent() const { return bar_; }
    // Takes the control out of its bar; the object goes once control returns
    // to the event loop, so a handler may delete the control it was given.
    void Delete();

    QAction* action() const { return action_; }

private:
    friend class CommandBarControls;
    friend class CommandBars;
    CommandBarControl(::CommandBar* bar, int kind, int id, const QString& caption);
    void showState();
    void showIcon();
    void showStyle();
    void showToolTip();
    void placeSeparator();
    void onTriggered();
    ~CommandBarControl() override;

    ::CommandBar* bar_;
    int kind_;
    int id_;
    QString caption_;
    bool checked_ = false;
    bool toggle_ = false;
    bool enabled_ = true;
    bool beginGroup_ = false;
    int style_ = 0;
    QAction* action_;
    QPointer<QAction> separator_;
    ::CommandBar* subBar_ = nullptr;
    QPointer<QMenu> menu_;
};

// The ordered controls of one bar.
class CommandBarControls {
public:
    explicit CommandBarControls(CommandBar* bar) : bar_(bar) {}

    // Appends a control; kinds other than 2 make buttons.
    CommandBarControl* Add(int kind, int id, const QString& caption);
    // The first control of that kind and identifier, in this list or in the
    // sub-bars of its popups; nothing when there is none.
    CommandBarControl* Find(int kind, int id) const;
    // 1-based; nothing outside 1..Count().
    CommandBarControl* Item(int position) const;
    int Count() const { return int(controls_.size()); }

private:
    friend class CommandBarControl;
    friend class CommandBar;
    void remove(CommandBarControl* control);

    CommandBar* bar_;
    std::vector<CommandBarControl*> controls_;
};

// A menu bar, a toolbar or a popup's sub-bar over its Qt widget.
class CommandBar : public QObject {
    Q_OBJECT
public:
    CommandBarControls* Controls() { return &controls_; }
    // Any control of this identifier, sub-bars included.
    CommandBarControl* FindControl(int id) const;
    QString Title() const { return title_; }
    // Whether the bar is displayed (shown state as the user left it).
    bool Visible() const;
    void setVisible(bool visible);

    CommandBars* owner() const { return owner_; }
    QWidget* widget() const { return widget_; }

private:
    friend class CommandBars;
    friend class CommandBarControl;
    friend class CommandBarControls;
    CommandBar(CommandBars* owner, QWidget* widget, const QString& title, QObject* parent);
    void appendAction(QAction* action);
    void eachControl(const std::function<void(CommandBarControl*)>& visit) const;

    CommandBars* owner_;
    QWidget* widget_;
    QString title_;
    CommandBarControls controls_{this};
};

// The main window's command bars (`CBar`): its menu bar and its toolbars.
class CommandBars : public QObject {
    Q_OBJECT
public:
    explicit CommandBars(QMainWindow* window);

    // Preparation calls; the bars need none.
    void Prepare(bool = false) {}

    CommandBar* ActiveMenuBar() const { return menuBar_; }
    // A toolbar row under the menu bar (position 0: at the top).
    CommandBar* AddToolBar(const QString& name, int position = 0);
    // Toolbars by number from 1 in the order they were added.
    CommandBar* Bar(int number) const;
    int BarCount() const { return int(toolBars_.size()); }

    // The pictures, labelled by control identifier.  Buttons show the
    // picture of their identifier.
    void setIcons(const QMap<int, QIcon>& icons);
    QIcon icon(int id) const { return icons_.value(id); }

    void setAppearanceStyle(int style) { appearanceStyle_ = style; }
    int AppearanceStyle() const { return appearanceStyle_; }

signals:
    // The user chose a button or a menu item.
    void CommandInvoked(CommandBarControl* control);
    // The arrangement of the bars changed, e.g. a toolbar was hidden or shown.
    void BarsLayoutChanged(int, int, int, int);

private:
    friend class CommandBarControl;
    friend class CommandBar;
    void noteToolBarShown(CommandBar* bar);

    QMainWindow* window_;
    CommandBar* menuBar_;
    std::vector<CommandBar*> toolBars_;
    QMap<CommandBar*, bool> shown_;
    QMap<int, QIcon> icons_;
    int appearanceStyle_ = 0;
};
