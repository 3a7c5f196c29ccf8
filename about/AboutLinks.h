#pragma once

#include <QString>

// The addresses and the notice shown in the about box, kept in one place.
// Until the project has its own site they point under example.org.
namespace AboutLinks {
inline const QString kNetworkSite = QStringLiteral("miravel.example.org");
inline const QString kWebSite = QStringLiteral("https://www.example.org/");
inline const QString kContactPage = QStringLiteral("www.example.org/contact/");
inline const QString kNotice = QStringLiteral("Free to read, print and share.");
// The text sources' credit; the Arabic text's licence asks for a link to
// its source.
inline const QString kCredits =
    QStringLiteral("Qur'an text: Tanzil Project, CC BY 3.0 \u2022 English: M. M. Pickthall "
                   "(1930)");
inline const QString kCreditsLink = QStringLiteral("https://tanzil.net/");
// What the program plays: no recitation is shipped.
inline const QString kRecitation =
    QStringLiteral("Recitation: a folder of one audio file per verse (001001.mp3 \u2026 "
                   "114006.mp3) that you choose; none is included.");
} // namespace AboutLinks
