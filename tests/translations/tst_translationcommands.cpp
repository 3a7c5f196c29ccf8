#include "AppContext.h"
#include "BrowserView.h"
#include "CommandBars.h"
#include "CommandIds.h"
#include "FreshSettings.h"
#include "frmAddTranslation.h"
#include "frmFind.h"
#include "frmInfo.h"
#include "frmMain.h"
#include "GuiTestMain.h"
#include "QuranReader.h"
#include "ShowInfo.h"
#include "TranslationCommands.h"
#include "TranslationsCommandIds.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// "Add translation..." and "Remove translation..." in the real main window:
// the page shows the added translation at once, in the place chosen, and the
// built-in one again when it is removed; a refused file leaves the page.
class TestTranslationCommands : public QObject {
    Q_OBJECT

    std::unique_ptr<FreshSettings> settings_;
    std::unique_ptr<QTemporaryDir> data_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<frmMain> w_;
    QTemporaryDir sources_;
    QStringList failures_;

    QString body() { return w_->browser()->bodyInnerHtml(); }

    CommandBarControl* menuItem(int id) {
        return w_->commandBars()->ActiveMenuBar()->FindControl(id);
    }
    CommandBarControl* button(int id) {
        return w_->standardBar()->Controls()->Find(ControlKind::Button, id);
    }

    // The built-in translation's source in the `sura|verse|text` layout,
    // with verse 1:1 made recognisable.
    QString markedFile() {
        QFile source(QStringLiteral(MIRAVEL_DATA_DIR "/translation-en-pickthall.tsv"));
        if (!source.open(QIODevice::ReadOnly))
            return {};
        QByteArray text = source.readAll().replace('\t', '|');
        text.replace("1|1|In the name of Allah", "1|1|Marked: In the name of Allah");
        const QString path = sources_.filePath(QStringLiteral("marked.txt"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return {};
        return path;
    }

    TranslationCommands* commands() { return w_->findChild<TranslationCommands*>(); }

    void answerWith(const QString& path, AddedTranslations::Slot slot,
                    const QString& name = QString(), const QString& language = QString()) {
        TranslationCommands* translations = commands();
        translations->chooseFile = [path] { return path; };
        translations->askDetails = [slot, name, language](const TranslationSource& source) {
            return std::optional<AddedTranslations::Details>(
                {name.isEmpty() ? source.suggestedName : name, slot, language});
        };
        translations->showFailure = [this](const QString& text) { failures_.append(text); };
        translations->chooseToRemove = [](const QList<AddedTranslations::Entry>& entries) {
            return std::optional<int>(entries.first().culture);
        };
    }

private slots:
    void init() {
        settings_ = std::make_unique<FreshSettings>();
        data_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", data_->path().toUtf8());
        failures_.clear();
        context_ = std::make_unique<AppContext>();
        w_ = std::make_unique<frmMain>(*context_);
        w_->show();
        w_->Form_Load();
        QVERIFY(w_->browser()->waitForLoad());
        QVERIFY(commands());
        QVERIFY(w_->reader().showSura(1));
    }

    void cleanup() {
        w_.reset();
        context_.reset();
        data_.reset();
        settings_.reset();
    }

    void addedShowsAtOnceAndRemovalReturns_data() {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("toggle");
        QTest::newRow("translation")
            << int(AddedTranslations::Translation) << int(CommandId::ToggleLibrary2);
        QTest::newRow("transliteration")
            << int(AddedTranslations::Transliteration) << int(CommandId::ToggleLibrary3);
    }
    void addedShowsAtOnceAndRemovalReturns() {
        QFETCH(int, slot);
        QFETCH(int, toggle);
        QVERIFY(!body().contains(QStringLiteral("Marked:")));
        answerWith(markedFile(), AddedTranslations::Slot(slot));
        menuItem(TranslationsCommandId::AddTranslation)->action()->trigger();
        QVERIFY2(failures_.isEmpty(), qPrintable(failures_.join(QLatin1Char('\n'))));
        QTRY_VERIFY(body().contains(QStringLiteral("Marked: In the name of Allah")));
        QVERIFY(button(toggle)->Checked());

        menuItem(TranslationsCommandId::RemoveTranslation)->action()->trigger();
        QVERIFY(failures_.isEmpty());
        QTRY_VERIFY(!body().contains(QStringLiteral("Marked:")));
        QVERIFY(body().contains(QStringLiteral("In the name of Allah, the Beneficent")));
        QCOMPARE(context_->libraryFile(2), QStringLiteral("Etx2.dll"));
        QCOMPARE(context_->libraryFile(3), QStringLiteral("Etx3.dll"));
    }

    // The file's comment lines (the translator's terms) close the general
    // introduction while the translation is shown.
    void generalIntroductionShowsTheAddedNotice() {
        answerWith(markedFile(), AddedTranslations::Translation);
        menuItem(TranslationsCommandId::AddTranslation)->action()->trigger();
        QVERIFY(failures_.isEmpty());
        QString page;
        std::function<void()> read = [&page, &read] {
            auto* window = qobject_cast<frmInfo*>(QApplication::activeModalWidget());
            if (!window) {
                QTimer::singleShot(20, read);
                return;
            }
            page = window->WebBrowser1->bodyInnerHtml();
            window->close();
        };
        QTimer::singleShot(20, read);
        QVERIFY(ShowInfo(*context_, QStringLiteral("nglish"), nullptr));
        const qsizetype heading = page.indexOf(QStringLiteral("<br>English (Pickthall)<br>"));
        QVERIFY2(heading > page.indexOf(QStringLiteral("<br>Introduction<br>")),
                 qPrintable(page.right(1500)));
        QVERIFY(page.indexOf(QStringLiteral("Name: Pickthall")) > heading);
    }

    // An open search window names the translation now chosen in its
    // "Search in" box, through an add and a removal.
    void searchInFollowsTheChosenTranslation() {
        frmFind find(*context_, w_->reader());
        const auto searchIn = [&find] { return find.cmb_selected_Section->itemText(1); };
        const QString builtIn = searchIn();
        QCOMPARE(builtIn, context_->library(2).LoadSTvar(224));
        find.cmb_selected_Section->setCurrentIndex(1);
        answerWith(markedFile(), AddedTranslations::Translation, QStringLiteral("Marked (test)"));
        menuItem(TranslationsCommandId::AddTranslation)->action()->trigger();
        QVERIFY(failures_.isEmpty());
        QCOMPARE(searchIn(), QStringLiteral("Marked (test)"));
        QCOMPARE(find.cmb_selected_Section->currentIndex(), 1); // the reader's choice stays
        menuItem(TranslationsCommandId::RemoveTranslation)->action()->trigger();
        QCOMPARE(searchIn(), builtIn);
    }

    // The page marks the added translation's paragraphs with its language,
    // and its own first verse stands under the basmala.
    void addedTranslationSpeaksItsLanguage() {
        answerWith(markedFile(), AddedTranslations::Translation, QStringLiteral("Marked"),
                   QStringLiteral("fr"));
        menuItem(TranslationsCommandId::AddTranslation)->action()->trigger();
        QVERIFY(failures_.isEmpty());
        QVERIFY(w_->reader().showSura(2));
        QTRY_VERIFY(body().contains(QStringLiteral("2 : 286")));
        const QString page = body();
        QCOMPARE(page.count(QStringLiteral("<p class=\"Trans\" lang=\"fr\" dir=\"ltr\">")), 286);
        const qsizetype opening = page.indexOf(QStringLiteral("id=\"opening\""));
        QVERIFY(opening >= 0);
        const QString line =
            page.mid(opening, page.indexOf(QStringLiteral("</p>"), opening) - opening);
        QVERIFY2(line.contains(QStringLiteral("lang=\"fr\"")), qPrintable(line));
        QVERIFY2(line.contains(QStringLiteral(">Marked: In the name of Allah")), qPrintable(line));
        // Removed, the template's own line is back.
        menuItem(TranslationsCommandId::RemoveTranslation)->action()->trigger();
        QTRY_VERIFY(!body().contains(QStringLiteral("Marked:")));
        QVERIFY(body().contains(
            QStringLiteral(">In the name of Allah, the Beneficent, the Merciful.</p>")));
    }

    // The add window asks for the language, filled in from the file or
    // guessed from its letters, and takes only a code the page can set.
    void addWindowAsksTheLanguage_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("guessed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("from the file") << "ur"
                                       << "ar"
                                       << "ur";
        QTest::newRow("guessed") << ""
                                 << "zh"
                                 << "zh";
        QTest::newRow("nothing known") << ""
                                       << ""
                                       << "";
    }
    void addWindowAsksTheLanguage() {
        QFETCH(QString, given);
        QFETCH(QString, guessed);
        QFETCH(QString, shown);
        TranslationSource source;
        source.suggestedName = QStringLiteral("Name");
        source.language = given;
        source.guessedLanguage = guessed;
        frmAddTranslation dialog(source);
        QCOMPARE(dialog.txtLanguage->text(), shown);
        QCOMPARE(dialog.txtLanguage->accessibleName(), QStringLiteral("Language:"));
        QVERIFY(dialog.cmdOK->isEnabled());
        QCOMPARE(dialog.details().language, shown);
        dialog.txtLanguage->setText(QStringLiteral("not a code!"));
        QVERIFY(!dialog.cmdOK->isEnabled());
        dialog.txtLanguage->setText(QString());
        QVERIFY(dialog.cmdOK->isEnabled()); // left unknown
    }

    void refusedFileLeavesThePage() {
        const QString before = body();
        answerWith(sources_.path(), AddedTranslations::Translation); // a folder
        menuItem(TranslationsCommandId::AddTranslation)->action()->trigger();
        QCOMPARE(failures_.size(), 1);
        QVERIFY2(failures_.first().contains(QStringLiteral("is a folder")),
                 qPrintable(failures_.first()));
        QCOMPARE(body(), before);
        QCOMPARE(context_->libraryFile(2), QStringLiteral("Etx2.dll"));
    }
};

MIRAVEL_GUI_TEST_MAIN(TestTranslationCommands)
#include "tst_translationcommands.moc"
