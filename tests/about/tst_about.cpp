#include "frmAbout.h"
#include "MiravelVersion.h"

#include <QLabel>
#include <QTest>

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    // The label is built from the three numbers; the generated text form
    // must say the same, so neither can drift from the project's version.
    void showsTheProjectVersion() {
        frmAbout about;
        const QString expected = QStringLiteral("Version ") + QLatin1String(kMiravelVersion);
        QCOMPARE(frmAbout::versionText(), expected);
        QCOMPARE(about.lblVersion->text(), expected);
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
