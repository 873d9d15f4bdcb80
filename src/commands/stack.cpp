// SPDX-License-Identifier: MIT
#include "commands/stack.h"

#include "commands/dummyobject.h"
#include "imaging/parseobject.h"

void Stack::add(std::shared_ptr<WorkItem> Obj)
{
    m_items.push_back(std::move(Obj));
}

std::shared_ptr<WorkItem> Stack::NextElement()
{
    if (m_items.empty())
        return nullptr;
    std::shared_ptr<WorkItem> oldest = std::move(m_items.front());
    m_items.pop_front();
    return oldest;
}

std::shared_ptr<ParseObject> Stack::top() const
{
    if (m_items.empty())
        return nullptr;
    return std::dynamic_pointer_cast<ParseObject>(m_items.back());
}

std::shared_ptr<WorkItem> Stack::nextTop() const
{
    if (m_items.size() < 2)
        return std::make_shared<DummyObject>();
    return m_items[m_items.size() - 2];
}

void Stack::NextElement2add(std::shared_ptr<ParseObject> x)
{
    if (m_items.size() >= 2) {
        NextElement();
        NextElement();
    }
    add(std::move(x));
}

bool Stack::topStack(short, short) const
{
    [[maybe_unused]] const auto newest = top();
    [[maybe_unused]] const auto below = nextTop();
    return false;
}
