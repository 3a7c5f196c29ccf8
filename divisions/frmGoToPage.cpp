#include "frmGoToPage.h"

#include "DivisionTable.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

frmGoToPage::frmGoToPage(int page, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Go to Page"));
    pageBox_ = new QSpinBox(this);
    pageBox_->setRange(1, DivisionTable::kPages);
    pageBox_->setValue(page);
    pageBox_->selectAll();
    auto* label = new QLabel(QStringLiteral("&Page (1\u2013%1):").arg(DivisionTable::kPages), this);
    label->setBuddy(pageBox_);
    pageBox_->setAccessibleName(QString(label->text()).remove(QLatin1Char('&')));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow(label, pageBox_);
    layout->addRow(buttons);
}

int frmGoToPage::page() const {
    return pageBox_->value();
}
