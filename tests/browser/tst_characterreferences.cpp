#include "CharacterReferences.h"

#include <QTest>

// Markup sent to a page has its numeric references in text written as
// characters; everywhere the parser would not read a reference, or would
// read it as something else, the markup goes as written.
class tst_CharacterReferences : public QObject {
    Q_OBJECT

private slots:
    void expandedOnlyInText_data() {
        QTest::addColumn<QString>("markup");
        QTest::addColumn<QString>("expected");
        const QString alif(QChar(0x627));
        const QString ba(QChar(0x628));
        QTest::newRow("a library's verse")
            << "<p class='main' lang='ar' dir='rtl'> &#1576;&#1616;&#1587;&#1618;&#1605;&#1616; "
               "</p><p class='Trans'>Alif L&#257;m M&#299;m </p>"
            << QString::fromUtf8("<p class='main' lang='ar' dir='rtl'> بِسْمِ </p>"
                                 "<p class='Trans'>Alif Lām Mīm </p>");
        QTest::newRow("hexadecimal, either case") << "&#x627;&#X628;&#x00627;" << alif + ba + alif;
        QTest::newRow("beyond the basic plane") << "&#x1F600;" << QString::fromUcs4(U"\U0001F600");
        QTest::newRow("no-break space, the first expanded") << "a&#160;b"
                                                            << "a" + QString(QChar(0xA0)) + "b";
        QTest::newRow("markup characters stay") << "&#60;b&#62;&#38;&#34;&#39;"
                                                << "&#60;b&#62;&#38;&#34;&#39;";
        QTest::newRow("references the parser maps to others stay") << "&#150;&#x80;&#0;"
                                                                   << "&#150;&#x80;&#0;";
        QTest::newRow("surrogates, non-characters and too large stay")
            << "&#xD800;&#xFFFF;&#xFDD0;&#x110000;&#99999999999;"
            << "&#xD800;&#xFFFF;&#xFDD0;&#x110000;&#99999999999;";
        QTest::newRow("without their semicolon or digits stay") << "&#1575 &#; &#x; &amp;#1575;"
                                                                << "&#1575 &#; &#x; &amp;#1575;";
        QTest::newRow("attribute values stay, quoted \">\" too")
            << "<img alt='&#1575;' title=\"a>&#1575;\" data-x=&#1575;>&#1575;"
            << "<img alt='&#1575;' title=\"a>&#1575;\" data-x=&#1575;>" + alif;
        QTest::newRow("comments stay")
            << "<!-- &#1575; -->&#1575;<!-->&#1576;<!--->&#1576;<!-- x --!>&#1576;"
            << "<!-- &#1575; -->" + alif + "<!-->" + ba + "<!--->" + ba + "<!-- x --!>" + ba;
        QTest::newRow("bogus comments stay")
            << "<!DOCTYPE &#1575;>&#1576;<?x &#1575;>&#1576;</ &#1575;>&#1576;"
            << "<!DOCTYPE &#1575;>" + ba + "<?x &#1575;>" + ba + "</ &#1575;>" + ba;
        QTest::newRow("literal text of script and style stays")
            << "<script>&#1575;</scripts>&#1575;</script>&#1576;<STYLE>&#1575;</style >&#1576;"
            << "<script>&#1575;</scripts>&#1575;</script>" + ba + "<STYLE>&#1575;</style >" + ba;
        QTest::newRow("text of textarea and title stays")
            << "<textarea><!--</textarea><script>&#1575;-->&#1576;</script>&#1577;"
            << "<textarea><!--</textarea><script>&#1575;-->&#1576;</script>" +
                   QString(QChar(0x629));
        QTest::newRow("a script that opens a comment keeps the rest")
            << "<script><!--<script>&#1575;</script>&#1576;--></script>&#1577;"
            << "<script><!--<script>&#1575;</script>&#1576;--></script>&#1577;";
        QTest::newRow("character data keeps the rest") << "<![CDATA[&#1575;]]>&#1576;"
                                                       << "<![CDATA[&#1575;]]>&#1576;";
        QTest::newRow("plain text keeps the rest")
            << "&#1575;<plaintext>&#1575;" << alif + "<plaintext>&#1575;";
        QTest::newRow("a lone \"<\" is text") << "1 < &#1575; <"
                                              << "1 < " + alif + " <";
        QTest::newRow("unclosed tag keeps the rest") << "<p title='&#1575;>&#1575;"
                                                     << "<p title='&#1575;>&#1575;";
    }
    void expandedOnlyInText() {
        QFETCH(QString, markup);
        QFETCH(QString, expected);
        QCOMPARE(CharacterReferences::expandedInText(markup), expected);
    }
};

QTEST_APPLESS_MAIN(tst_CharacterReferences)
#include "tst_characterreferences.moc"
