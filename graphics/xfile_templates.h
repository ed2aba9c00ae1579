#pragma once
// The standard template definitions that a written X file declares, so that readers which
// check data objects against templates accept it. Text form; the binary writer tokenizes it.
extern const char kXFileStandardTemplates[];
