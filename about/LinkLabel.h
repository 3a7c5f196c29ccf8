#pragma once

#include <QLabel>

// A label whose caption is its target: shown underlined in blue with a
// hand pointer, and handed to the desktop shell when clicked.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& target, QWidget* parent = nullptr);

    // Where a click goes: the caption, or a separate address when given.
    void setTarget(const QString& target) { target_ = target; }
    QString target() const { return target_.isEmpty() ? text() : target_; }

signals:
    void opened(const QString& target);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void open();
    QString target_;
};
