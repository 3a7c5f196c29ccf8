#pragma once

#include "AddedTranslations.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// Asks for the name of a translation being added and the library it takes
// the place of, showing the file's comment lines (its translator and terms).
class frmAddTranslation : public QDialog {
    Q_OBJECT
public:
    frmAddTranslation(const QString& suggestedName, const QStringList& comments,
                      QWidget* parent = nullptr);

    QString name() const;
    AddedTranslations::Slot slot() const;

    QLineEdit* txtName = nullptr;
    QRadioButton* optTranslation = nullptr;
    QRadioButton* optTransliteration = nullptr;
    QPlainTextEdit* txtNotice = nullptr;
    QPushButton* cmdOK = nullptr;
};
