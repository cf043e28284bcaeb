// What a race brings into a distribution: the files its race control file names. The
// distribution builder reads only four keys of the file (BN, MAP, WF, AT) and ignores the rest.
//
// Lines outside the format are handled as the browser's own reader handles them, so that a
// distribution carries exactly the files the browser will look for; each such line is reported
// with its line number and scanning goes on:
//   - a line without a comma is skipped (a blank line is skipped without a word);
//   - a BN line without a second comma takes its whole value as the track file (the browser
//     names the boat after it); a BN line with an empty track file is skipped;
//   - MAP lines past the 20th, AT lines past the 50th and empty MAP and AT values are skipped;
//   - an empty WF value names no wind file (not reported: the writer leaves such a race
//     without a WF line, and a race without wind data is common).
#pragma once

#include <QString>
#include <QStringList>

struct RaceFileNames {
    QStringList TrackFiles;  // in gpsdat, one per BN line, in file order
    QStringList CoastTiles;  // in coastline: each MAP value with ".cst" appended (at most 20)
    QString WindFile;        // in winddat; empty when the race names none (the last WF line wins)
    QStringList Attachments; // in attachment (at most 50)
    // Lines that could not be taken as they stand: "<race file>: line <n>: <what>".
    QStringList Problems;
    // The race control file could not be read (it does not exist, or reading failed): why.
    QString Error;
};

// Scans the lines of a race control file. raceFile names it in the problems.
RaceFileNames scanRaceLines(const QStringList &lines, const QString &raceFile);

// Scans raceadmin/<raceFileName> below the application folder (names matched without regard
// to case). A file that does not exist gives empty lists and Error set.
RaceFileNames scanRace(const QString &applicationFolder, const QString &raceFileName);
