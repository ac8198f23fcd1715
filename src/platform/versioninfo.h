#pragma once

#include <QString>

// The program's version record, as the About window and the main window read it at run time.
struct VersionInfo {
    QString fileDescription;
    QString productName;
    QString comments;
    QString companyName;
    QString legalCopyright;
    QString internalName;
    QString originalFilename;
    QString applicationId; // the desktop's name for the program
    QString webHost;       // the maker's web host
    int major = 0;
    int minor = 0;
    int revision = 0;

    static const VersionInfo& current();
};
