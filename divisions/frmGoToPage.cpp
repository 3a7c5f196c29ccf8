#include "frmGoToPage.h"

#include "DivisionTable.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

// More digits than any page has: a long run of digits is no page, and is
// not read into a number that could overflow.
constexpr int kMostDigits = 4;

} // namespace

frmGoToPage::frmGoToPage(int page, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Go to Page"));
    // A plain field, not a spin box: a spin box drops the keys that would
    // make its text no page, and "605" became page 60 without a word.
    pageBox_ = new QLineEdit(QString::number(page), this);
    pageBox_->selectAll();
    auto* label = new QLabel(QStringLiteral("&Page (1\u2013%1):").arg(DivisionTable::kPages), this);
    label->setBuddy(pageBox_);
    pageBox_->setAccessibleName(QString(label->text()).remove(QLatin1Char('&')));
    message_ = new QLabel(this);
    message_->setObjectName(QStringLiteral("pageMessage"));
    message_->setWordWrap(true);
    message_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(label, pageBox_);
    layout->addRow(message_);
    layout->addRow(buttons);
}

int frmGoToPage::page() const {
    return pageFrom(pageBox_->text()).value_or(0);
}

std::optional<int> frmGoToPage::pageFrom(const QString& text) {
    const QString digits = text.trimmed();
    if (digits.isEmpty() || digits.size() > kMostDigits)
        return std::nullopt;
    int page = 0;
    for (const QChar c : digits) {
        if (!c.isDigit()) // decimal digits only: no sign, no superscript
            return std::nullopt;
        page = page * 10 + c.digitValue();
    }
    if (page < 1 || page > DivisionTable::kPages)
        return std::nullopt;
    return page;
}

void frmGoToPage::accept() {
    if (!pageFrom(pageBox_->text())) {
        tellRange();
        return;
    }
    QDialog::accept();
}

void frmGoToPage::tellRange() {
    const QString text =
        QStringLiteral("Type a page number from 1 to %1.").arg(DivisionTable::kPages);
    message_->setText(text);
    message_->setAccessibleName(text);
    message_->show();
    pageBox_->setFocus();
    pageBox_->selectAll();
    // Said to a screen reader too, whose focus stays on the field.
    pageBox_->setAccessibleDescription(text);
    QAccessibleEvent told(message_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&told);
}
