// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QVariant>

/** The record of what the user works on: chosen folders and the image on show. */
class Source
{
public:
    QString TgtFolder;
    QString SrcFolder;
    QString SrcFile;
    QString TgtFile;

    void SetSourceFolder(const QString &strFolder) { SrcFolder = strFolder; }
    QString GetSourceFolder() const { return SrcFolder; }
    void SetTgtFolder(const QString &strFolder) { TgtFolder = strFolder; }
    /** Always a variant holding text, also when the folder is empty. */
    QVariant GetTgtFolder() const { return QVariant(TgtFolder); }
    void SetSourceFile(const QString &strFile) { SrcFile = strFile; }
    QString GetSourceFile() const { return SrcFile; }
    void SetTgtFile(const QString &strFile) { TgtFile = strFile; }
    QVariant GetTgtFile() const { return QVariant(TgtFile); }
};
