#pragma once

// The divisions' commands, in the popup of the go-to commands ("Tools"):
// the popup of the 30 parts, the popup of the quarters of the part on
// screen, "Page...", and the next and previous part and page.
namespace DivisionCommandId {
enum : int {
    PartPopup = 300,
    FirstPart = 301, // part n is 300 + n, up to 330
    LastPart = 330,
    QuarterPopup = 340,
    FirstQuarter = 341, // the quarters of the part on screen, 341..348
    LastQuarter = 348,
    GoToPage = 350,
    NextPart = 351,
    PreviousPart = 352,
    NextPage = 353,
    PreviousPage = 354,
};
}
