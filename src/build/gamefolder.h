#pragma once

#include <QString>

// The name of the folder a finalised game is copied to, made from the project name so that
// every file system takes it: FAT memory sticks refuse ? * : < > | " \ / and control
// characters (each becomes "_"), and drop dots and blanks at the end of a name (they are
// removed). A name Windows keeps for a device (CON, NUL, COM1...) gets "_" after its stem
// ("CON_", "nul_.txt"), and an empty result is "Jeu".
QString gameFolderName(const QString& projectName);

// A size for the user: "512 octets", "1,5 Ko", "12,3 Mo", "2,0 Go" (1 Ko = 1024 octets).
QString sizeText(qint64 bytes);
