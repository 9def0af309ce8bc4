// The leak checker's options (engine/leak_checker.cpp) are asked for by name
// at run time and called by nothing, so no program would link them from the
// library: a file that needs them refers to this mark, as the System's does.
#pragma once

extern const char kLeakCheckerMark;
