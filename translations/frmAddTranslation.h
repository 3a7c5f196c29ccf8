#pragma once

#include "AddedTranslations.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Asks for the name of a translation being added, its language (as the file
// gives it, else a guess from its letters) and the library it takes the
// place of, showing the file's comment lines (its translator and terms).
class frmAddTranslation : public QDialog {
    Q_OBJECT
public:
    frmAddTranslation(const TranslationSource& source, QWidget* parent = nullptr);

    QString name() const;
    AddedTranslations::Slot slot() const;
    // The language tag; empty when the reader left it empty.
    QString language() const;
    AddedTranslations::Details details() const;

    QLineEdit* txtName = nullptr;
    QLineEdit* txtLanguage = nullptr;
    QRadioButton* optTranslation = nullptr;
    QRadioButton* optTransliteration = nullptr;
    QPlainTextEdit* txtNotice = nullptr;
    QPushButton* cmdOK = nullptr;
};
