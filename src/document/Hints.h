#pragma once
// What changed, as the document tells its views.
enum DocHint : int {
    kHintFirmwareVersion = 1,
    kHintBoardClock = 2,
    kHintBiasRead = 3,
    kHintNewRates = 4,
    kHintChamber = 5,     // chamber or system factor changed
    kHintCollection = 6,  // started, one-second tick, or ended
    kHintRangeAnswer = 7,
    kHintCorrection = 8,  // temperature/pressure correction switched
    kHintSettings = 9,    // collection type, temperature, pressure or bias set changed
    kHintRemoteStart = 10,
    kHintRemoteStop = 11,
};
