// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>

class BatchSteps;
class Command;
class SlideShow;
class Source;
class StateManager;

/**
 * The one coordinator: windows, commands, modes and workers reach each other
 * only through it. It owns the mode machine and the record of chosen folders,
 * and puts the main window into the button configuration of each mode.
 */
class Mediator
{
public:
    Mediator();
    ~Mediator();
    Mediator(const Mediator &) = delete;
    Mediator &operator=(const Mediator &) = delete;

    void init();
    void startStateOne();
    void StartStateTwo();
    void StartStateThree();
    void StartStateFour();
    void registerCmd1(std::shared_ptr<Command> c);
    void registerCmd2(std::shared_ptr<Command> c);
    void Command1(QString &str);
    void Command2(QString &str);
    void Command3();
    void SetSourceFolder(const QString &strFolder);
    QString GetSourceFolder() const;
    void SetTgtFolder(const QString &strFolder);
    QString GetTgtFolder() const;
    void SetSourceFile(const QString &strFile);
    QString GetSourceFile() const;
    void SetTgtFile(const QString &strFile);
    QString GetTgtFile() const;
    void SetTempFolder(const QString &strTemp);
    QString GetTempFolder() const;
    void SingleSourceFile();
    void SourceFolder();
    void TargetFolder();
    /** The folder browser, opening at startFolder. */
    QString BrowseForFolder(const QString &szPrompt, const QString &startFolder = QString());
    /** Takes folder as the source folder, as a choice in the folder browser does. */
    void takeSourceFolder(const QString &folder);
    /** Takes folder as the target folder, as a choice in the folder browser does. */
    void takeTargetFolder(const QString &folder);
    /** Back in batch mode: the previous image of the batch again. */
    void Back();
    /** Batch mode's record of the images passed, with what each entry added. */
    BatchSteps &batchSteps() const;
    /** The slide show page of this run. */
    SlideShow &slideShow() const { return *m_slideShow; }
    /**
     * Creates the page in the target folder; a page still open elsewhere is
     * completed under the name in the main window, and a continued show's name
     * is put there. Throws DocumentError.
     */
    void createSlideShow();
    /** Adds the image on show to the page with caption and records the entry for Back. Throws DocumentError. */
    void addToSlideShow(const QString &caption);

    StateManager *stateManager() const { return StateMgr.get(); }
    const std::shared_ptr<Command> &registeredCmd1() const { return RegCmd1; }
    const std::shared_ptr<Command> &registeredCmd2() const { return RegCmd2; }

private:
    std::shared_ptr<Command> RegCmd1;
    std::shared_ptr<Command> RegCmd2;
    std::unique_ptr<StateManager> StateMgr;
    std::unique_ptr<Source> Src;
    std::unique_ptr<SlideShow> m_slideShow;
    QString TempFolder;
};
