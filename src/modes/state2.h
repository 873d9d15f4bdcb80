// SPDX-License-Identifier: MIT
#pragma once

#include "document/continuedphotos.h"
#include "imaging/imagefolder.h"
#include "modes/batchsteps.h"
#include "modes/state.h"

#include <QCoreApplication>

#include <memory>

class Stack;

/**
 * Batch mode: queues the images of the source folder, shows them one at a
 * time, goes back on request, and completes the slide show once the queue is
 * empty.
 */
class State2 : public State
{
    Q_DECLARE_TR_FUNCTIONS(State2)

public:
    void init(Mediator *md) override;
    /** Scans the source folder into a new queue, then shows the first image. */
    void Command1(QString &str) override;
    /** Shows the next queued image; on an empty queue ends the batch. */
    void Command2(QString &str) override;
    void Command3() override {}
    /** Takes the newest step back and shows its image again, with its caption if it was added. */
    void Back();

    const std::shared_ptr<Stack> &queue() const { return imageStack; }
    BatchSteps &steps() { return m_steps; }
    /** True while the batch waits for the folder's listing. */
    bool isScanning() const { return m_scanning; }

private:
    /** Leaves out the photos a continued show already holds, comparing them off the window's thread if need be. */
    void sortOutHeld(quint64 scan, const std::vector<ImageFolder::Entry> &files);
    void queueImages(const std::vector<ImageFolder::Entry> &files, const ContinuedPhotos::Decision &decision);
    void showNext();
    void showWhereAmI();
    /** The source photo of a continued show's last slide, when Back can take that slide back; else empty. */
    QString heldToTakeBack() const;
    /** Takes the continued show's last slide back and shows its photo again. */
    void takeBackHeld();
    /** The show's slides when it is continued; -1 for a new show. */
    int inShow() const;
    void finish();

    Mediator *md = nullptr;
    std::shared_ptr<Stack> imageStack;
    BatchSteps m_steps;
    int m_count = 0; // images queued at the start of the batch, and slides of the show taken back since
    bool m_continued = false; // the show held slides when the batch began
    quint64 m_scan = 0;
    bool m_scanning = false;
};
