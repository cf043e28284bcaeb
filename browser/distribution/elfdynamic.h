// The dynamic section of an ELF program or shared library: the libraries it needs and where
// it asks the dynamic linker to look for them. The runtime file discovery of the distribution
// builder walks these to find every library a program loads.
//
// Reads 32- and 64-bit files of either byte order. Only the program headers and the dynamic
// section are read, so a memory-mapped file costs nothing beyond them.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

struct ElfDynamic {
    bool ok = false;
    QString error;         // why the bytes are not a usable ELF file
    int elfClass = 0;      // 1: 32-bit, 2: 64-bit
    int machine = 0;       // e_machine (62 is x86-64)
    QString soName;        // DT_SONAME, empty for a program
    QStringList needed;    // DT_NEEDED, in order
    QStringList rPath;     // DT_RPATH folders (used only when there is no DT_RUNPATH)
    QStringList runPath;   // DT_RUNPATH folders
    bool hasRunPath = false;
    bool hasDynamicSection = false; // false for a statically linked program
};

ElfDynamic parseElfDynamic(QByteArrayView bytes);

// Maps the file and parses it; a file that cannot be opened gives ok false with the reason.
ElfDynamic readElfDynamic(const QString &path);
