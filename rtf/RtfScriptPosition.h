#pragma once

// Where the characters of a run sit relative to the line: \sub, \super or neither.

#include <QtGlobal>

enum class RtfScriptPosition : quint8 { Normal, Subscript, Superscript };
