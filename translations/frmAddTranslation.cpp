#include "frmAddTranslation.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// A control read by a screen reader under its visible caption.
template <typename Widget> Widget* named(Widget* widget, const QString& caption) {
    widget->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return widget;
}

} // namespace

frmAddTranslation::frmAddTranslation(const QString& suggestedName, const QStringList& comments,
                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Add translation"));
    auto* layout = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    const QString nameCaption = QStringLiteral("&Name:");
    txtName = named(new QLineEdit(suggestedName, this), nameCaption);
    auto* nameLabel = new QLabel(nameCaption, this);
    nameLabel->setBuddy(txtName);
    form->addRow(nameLabel, txtName);
    layout->addLayout(form);

    auto* place = new QGroupBox(QStringLiteral("Show it in place of"), this);
    place->setAccessibleName(place->title());
    auto* placeLayout = new QVBoxLayout(place);
    const QString translation = QStringLiteral("the &translation");
    const QString transliteration = QStringLiteral("the trans&literation");
    optTranslation = named(new QRadioButton(translation, place), translation);
    optTransliteration = named(new QRadioButton(transliteration, place), transliteration);
    optTranslation->setChecked(true);
    placeLayout->addWidget(optTranslation);
    placeLayout->addWidget(optTransliteration);
    layout->addWidget(place);

    const QString noticeCaption = QStringLiteral("Notes in the file (shown in the general "
                                                 "introduction):");
    auto* noticeLabel = new QLabel(noticeCaption, this);
    txtNotice = named(new QPlainTextEdit(comments.join(QLatin1Char('\n')), this), noticeCaption);
    txtNotice->setReadOnly(true);
    noticeLabel->setBuddy(txtNotice);
    layout->addWidget(noticeLabel);
    layout->addWidget(txtNotice);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOK = buttons->button(QDialogButtonBox::Ok);
    cmdOK->setAccessibleName(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A translation needs a name to be listed under.
    const auto updateOk = [this] { cmdOK->setEnabled(!name().isEmpty()); };
    connect(txtName, &QLineEdit::textChanged, this, updateOk);
    updateOk();
    resize(520, 380);
}

QString frmAddTranslation::name() const {
    return txtName->text().simplified();
}

AddedTranslations::Slot frmAddTranslation::slot() const {
    return optTransliteration->isChecked() ? AddedTranslations::Transliteration
                                           : AddedTranslations::Translation;
}
