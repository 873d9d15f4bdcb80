// SPDX-License-Identifier: MIT
#pragma once

#include <deque>
#include <memory>

class WorkItem;
class ParseObject;

/**
 * Queues the work items of one batch and hands them out oldest first, so the
 * images are shown in the order they were found. Holds as many items as
 * memory allows.
 */
class Stack
{
public:
    void add(std::shared_ptr<WorkItem> Obj);
    /** Returns an item to the front, so NextElement hands it out next (going back in a batch). */
    void putBack(std::shared_ptr<WorkItem> Obj) { m_items.push_front(std::move(Obj)); }
    /** Removes and returns the oldest item; nothing when empty. */
    std::shared_ptr<WorkItem> NextElement();
    /** The newest item, not removed; nothing when empty. */
    std::shared_ptr<ParseObject> top() const;
    bool hasMoreElements() const { return !m_items.empty(); }
    /** The item NextElement would hand out after `ahead` others; not removed. */
    std::shared_ptr<WorkItem> peek(std::size_t ahead = 0) const
    {
        return ahead < m_items.size() ? m_items[ahead] : nullptr;
    }
    /** The item just below the newest, or a new DummyObject when there is none. */
    std::shared_ptr<WorkItem> nextTop() const;
    /** Drops the two oldest items (when there are at least two), then appends x. */
    void NextElement2add(std::shared_ptr<ParseObject> x);
    /** Looks at the top two items and changes nothing. */
    bool topStack(short c1, short c2) const;

    std::size_t count() const { return m_items.size(); }

private:
    std::deque<std::shared_ptr<WorkItem>> m_items;
};
