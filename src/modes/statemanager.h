// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>

class Mediator;
class State;

/** Owns one object of each mode and forwards every generic command to the current one. */
class StateManager
{
public:
    StateManager();
    ~StateManager();

    void init(Mediator *med);
    void setStateOne();
    void SetStateTwo();
    void SetStateThree();
    void SetStateFour();
    void Command1(QString &str);
    void Command2(QString &str);
    void Command3();

    State *current() const { return currentState; }
    State *one() const { return stateOne.get(); }
    State *two() const { return stateTwo.get(); }
    State *three() const { return stateThree.get(); }
    State *four() const { return stateFour.get(); }

private:
    State *currentState = nullptr;
    std::unique_ptr<State> stateOne;
    std::unique_ptr<State> stateTwo;
    std::unique_ptr<State> stateThree;
    std::unique_ptr<State> stateFour;
};
