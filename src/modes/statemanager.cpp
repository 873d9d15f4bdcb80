// SPDX-License-Identifier: MIT
#include "modes/statemanager.h"

#include "modes/state1.h"
#include "modes/state2.h"
#include "modes/state3.h"
#include "modes/state4.h"

StateManager::StateManager() = default;
StateManager::~StateManager() = default;

void StateManager::init(Mediator *med)
{
    stateOne = std::make_unique<State1>();
    stateOne->init(med);
    stateTwo = std::make_unique<State2>();
    stateTwo->init(med);
    stateThree = std::make_unique<State3>();
    stateThree->init(med);
    stateFour = std::make_unique<State4>();
    stateFour->init(med);
    currentState = stateThree.get();
}

void StateManager::setStateOne() { currentState = stateOne.get(); }
void StateManager::SetStateTwo() { currentState = stateTwo.get(); }
void StateManager::SetStateThree() { currentState = stateThree.get(); }
void StateManager::SetStateFour() { currentState = stateFour.get(); }

void StateManager::Command1(QString &str) { currentState->Command1(str); }
void StateManager::Command2(QString &str) { currentState->Command2(str); }
void StateManager::Command3() { currentState->Command3(); }
