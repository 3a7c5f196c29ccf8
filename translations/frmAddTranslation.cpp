#include "frmAddTranslation.h"

#include "TextLanguage.h"

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

frmAddTranslation::frmAddTranslation(const TranslationSource& source, QWidget* parent)
    : QDialog(parent) {
    const QString& suggestedName = source.suggestedName;
    const QStringList& comments = source.file.comments;
    setWindowTitle(QStringLiteral("Add translation"));
    auto* layout = new QVBoxLayout(this);

    auto* form = new QFormLayout;
    const QString nameCaption = QStringLiteral("&Name:");
    txtName = named(new QLineEdit(suggestedName, this), nameCaption);
    auto* nameLabel = new QLabel(nameCaption, this);
    nameLabel->setBuddy(txtName);
    form->addRow(nameLabel, txtName);
    const QString languageCaption = QStringLiteral("&Language:");
    const bool languageGiven = !source.language.isEmpty();
    txtLanguage =
        named(new QLineEdit(languageGiven ? source.language : source.guessedLanguage, this),
              languageCaption);
    txtLanguage->setPlaceholderText(QStringLiteral("a code such as en, fr, ur or zh"));
    txtLanguage->setAccessibleDescription(
        languageGiven ? QStringLiteral("As the file gives it.")
                      : QStringLiteral("Guessed from the letters of the text; correct it if "
                                       "it is wrong."));
    txtLanguage->setToolTip(txtLanguage->accessibleDescription());
    auto* languageLabel = new QLabel(languageCaption, this);
    languageLabel->setBuddy(txtLanguage);
    form->addRow(languageLabel, txtLanguage);
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
    // A translation needs a name to be listed under; a language, when one
    // is given, must be a code the page can set.
    const auto updateOk = [this] {
        const QString tag = language();
        cmdOK->setEnabled(!name().isEmpty() && (tag.isEmpty() || TextLanguage::isTag(tag)));
    };
    connect(txtName, &QLineEdit::textChanged, this, updateOk);
    connect(txtLanguage, &QLineEdit::textChanged, this, updateOk);
    updateOk();
    resize(520, 380);
}

QString frmAddTranslation::name() const {
    return txtName->text().simplified();
}

QString frmAddTranslation::language() const {
    return txtLanguage->text().trimmed();
}

AddedTranslations::Details frmAddTranslation::details() const {
    return {name(), slot(), language()};
}

AddedTranslations::Slot frmAddTranslation::slot() const {
    return optTransliteration->isChecked() ? AddedTranslations::Transliteration
                                           : AddedTranslations::Translation;
}
