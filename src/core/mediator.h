// SPDX-License-Identifier: MIT
#pragma once

#include "core/settings.h"
#include "imaging/imagefolder.h"
#include "imaging/previewloader.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class BatchSteps;
class Command;
class PreviewStatus;
class SlideShow;
class Source;
class StateManager;

/**
 * The one coordinator: windows, commands, modes and workers reach each other
 * only through it. It owns the mode machine, the record of chosen folders, the
 * slide show and the preview of the image on show. It holds no window: the
 * windows call its operations for what the user does and listen to its
 * signals for what they show, so a batch runs the same with no window at all.
 */
class Mediator : public QObject
{
    Q_OBJECT

public:
    /** Which of the main window's buttons are there and which can be pressed. */
    struct Buttons {
        bool skipVisible = true, skipEnabled = true;
        bool addEnabled = true;
        bool viewVisible = true, viewEnabled = true;
        bool backVisible = true, backEnabled = false;
        bool operator==(const Buttons &) const = default;
    };

    /** Said under the preview and in the status bar of a photo read only in part; shown through tr(). */
    static inline const QString DamagedText = QStringLiteral(QT_TR_NOOP("Damaged: only part of this photo could be read"));
    /** Said in the preview and in the status bar of a photo that cannot be read; shown through tr(). */
    static inline const QString UnreadableText = QStringLiteral(QT_TR_NOOP("Error loading image"));
    /** DamagedText and UnreadableText as the user reads them. */
    static QString damagedShown() { return tr(qUtf8Printable(DamagedText)); }
    static QString unreadableShown() { return tr(qUtf8Printable(UnreadableText)); }

    Mediator();
    ~Mediator() override;
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

    // What the user does.

    /** The folder browser for the source, opening at startFolder (the chosen source when empty). */
    void SourceFolder(const QString &startFolder = QString());
    /** The folder browser for the target, opening at startFolder (the chosen target when empty). */
    void TargetFolder(const QString &startFolder = QString());
    /** The folder browser, opening at startFolder. */
    QString BrowseForFolder(const QString &szPrompt, const QString &startFolder = QString());
    /** Takes folder as the source folder (and the target), as a choice in the folder browser does. */
    void takeSourceFolder(const QString &folder);
    /** Takes folder as the target folder, as a choice in the folder browser does. */
    void takeTargetFolder(const QString &folder);
    /**
     * Starts a batch on the chosen folders, with web-sized copies or not (a
     * continued show keeps its own size), offering the photos a continued
     * show's person skipped before or not. False when it did not start (a
     * question cancelled, no document): the Images window then stays open.
     */
    bool startBatch(bool webSized, bool offerSkippedAgain = false);
    /** True when this batch offers the photos skipped in an earlier sitting of its show. */
    bool offersSkippedAgain() const { return m_offerSkippedAgain; }
    /** "Add to SlideShow": adds the image on show with caption, then shows the next. */
    void add(const QString &caption);
    /** "Skip": the next image without adding this one. */
    void skip();
    /** Back in batch mode: the previous image of the batch again. */
    void Back();
    /** File > Close: a running batch's page is completed and the batch set aside. */
    void close();
    /** Exit: a running batch's page is completed, then the program ends. */
    void exit();
    /** "View SlideShow": the page this batch wrote, in the browser. */
    void viewSlideShow();
    /** Help > UserGuide. */
    void openUserGuide();
    /** The show's name as the user has typed it; the page is completed with it. */
    void setShowName(const QString &name) { m_showName = name; }
    const QString &showName() const { return m_showName; }
    /** Whether the next batch writes web-sized photos; kept for the next run. */
    void setWebSized(bool on) { m_webSized = on; }
    bool webSized() const { return m_webSized; }
    /** Lists the chosen source again for the Images window, as choosing it does. */
    void listSource();
    /** The choices kept from the last run, read at start-up. */
    const Settings &settings() const { return m_settings; }
    /** Where the main window is, kept for the next run when the program ends. */
    void keepWindow(const QRect &geometry, bool maximised);

    // What the windows show.

    const Buttons &buttons() const { return m_buttons; }
    /** A batch shows its images: "Skip" is there and can be pressed. */
    bool batchRuns() const { return m_buttons.skipVisible && m_buttons.skipEnabled; }
    /** True from the moment an image is asked for until it is shown or has failed. */
    bool isLoading() const;

    // For the modes, commands and workers.

    /** Batch mode's record of the images passed, with what each entry added. */
    BatchSteps &batchSteps() const;
    /** The slide show page of this run. */
    SlideShow &slideShow() const { return *m_slideShow; }
    /** Where the preview worker reports the image on show. */
    PreviewStatus *preview() const { return m_preview; }
    /**
     * Creates the page in the target folder; a page still open elsewhere is
     * completed under the show's name, and a continued show's name is
     * restored. Throws DocumentError.
     */
    void createSlideShow();
    /** Adds the image on show to the page with caption and records the entry for Back. Throws DocumentError. */
    void addToSlideShow(const QString &caption);
    /** The batch cannot go on: message is told, and nothing is left on show to add or skip. */
    void refuseBatch(const QString &message);
    /** While the folder is being listed nothing can be added or skipped. */
    void setMovesEnabled(bool enabled);
    /**
     * Where the batch stands: image number of count, the image on show, how
     * many added, the slides of a continued show (-1 for a new one); and
     * whether Back can be pressed.
     */
    void showPosition(int number, int count, const QString &path, int added, int inShow, bool canGoBack);
    /** The batch has ended: added of count went to page (inShow as above), or the page could not be completed (failure). */
    void endBatch(int added, int count, const QString &page, int inShow, const QString &failure);
    /** Back put an added image on show again: its caption, ready to be corrected. */
    void restoreCaption(const QString &caption);
    /** Names the batch does not show, taken off the listing. */
    void leaveOutOfListing(const QSet<QString> &names);

    StateManager *stateManager() const { return StateMgr.get(); }
    const std::shared_ptr<Command> &registeredCmd1() const { return RegCmd1; }
    const std::shared_ptr<Command> &registeredCmd2() const { return RegCmd2; }

signals:
    void buttonsChanged(const Mediator::Buttons &buttons);
    /** The preview is emptied. */
    void pictureCleared();
    /** The size label is emptied. */
    void sizeCleared();
    /** The status bar's text, for every change of position and at the end. */
    void statusChanged(const QString &text);
    void positionChanged(int number, int count, const QString &path, int added);
    /** The batch's end: failure is empty when the page was completed. */
    void batchEnded(int added, int count, const QString &page, const QString &failure);
    /** While on, the window's title names the show; off keeps the title as it is. */
    void titleFollowsName(bool on);
    /** The title is the program's name again. */
    void titleReset();
    /** An image is asked for: the caption is emptied for it and the preview says it is loading. */
    void imageLoading(const QString &path);
    /** The image has arrived and is to be painted; pixels is its upright size. */
    void imageShown(const QString &path, const PreviewLoader::Picture &picture, QSize pixels);
    /** The image could not be loaded: it is named in the preview and the status bar, with UnreadableText. */
    void imageFailed(const QString &path);
    /** The photo's own description, offered as its caption. */
    void captionSuggested(const QString &caption);
    void captionRestored(const QString &caption);
    void showNameRestored(const QString &name);
    void sourceFolderChanged(const QString &folder);
    void targetFolderChanged(const QString &folder);
    /** The chosen source's listing is on its way: nothing listed. */
    void listingCleared();
    /** The photos the source offers, and those left out of it and why. */
    void listingReady(const QStringList &names, const std::vector<ImageFolder::LeftOut> &leftOut);
    void listingTrimmed(const QSet<QString> &names);
    /** The program is about to end: the windows say where they are (keepWindow). */
    void ending();
    /** While on, a continued show decides whether its photos are web-sized; off, the person's choice holds again. */
    void sizeFollowsShow(bool on, bool webSized);

private:
    void setButtons(const Buttons &buttons);
    void moveOn();
    /** Completes the page of a running batch with the show's name; a failure is told. */
    void stopBatch();
    void openPage(const QString &path);
    void previewLoading(const QString &path);
    void previewArrived(const QString &path, const std::optional<PreviewLoader::Picture> &picture);
    /** A batch has ended or was set aside: the show's size no longer holds, and the source's photos are all listed again. */
    void leaveBatch();
    /** What the decode found about the photo at path (damaged, unreadable), added to its place in the status bar. */
    void noteDecode(const QString &path, const QString &note);

    std::shared_ptr<Command> RegCmd1;
    std::shared_ptr<Command> RegCmd2;
    std::unique_ptr<StateManager> StateMgr;
    std::unique_ptr<Source> Src;
    std::unique_ptr<SlideShow> m_slideShow;
    PreviewStatus *m_preview = nullptr;
    QString TempFolder;
    QString m_showName = QStringLiteral("My Slide Show");
    bool m_webSized = false;
    Settings m_settings;
    QString m_continuedName; // the name a continued show brought, until a new show starts
    bool m_offerSkippedAgain = false;
    bool m_sizeFollowsShow = false;
    // The source's listing as it was chosen, to list it whole again after a batch left photos out.
    QStringList m_listedNames;
    std::vector<ImageFolder::LeftOut> m_listedLeftOut;
    bool m_listingTrimmed = false;
    QString m_position; // the status bar's text for the image on show, and what its decode found
    QString m_positionPath, m_decodeNote, m_notePath;
    Buttons m_buttons;
};
