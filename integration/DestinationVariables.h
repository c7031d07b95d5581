#pragma once

#include "framework/LString.h"

class CVariables;

// Sets "DEST" to the destination folder and, when the user's shell folders name one, "START"
// to the start menu's programs folder. Called before the integration steps of an installation
// or an uninstallation.
void SetDestinationVariables(CVariables& variables, const LString& destination);

// The registered owner's name, proposed by the registration step; empty when unknown.
LString RegisteredOwner();
