// The facade's forward declaration for internal headers. In a shared library
// the first declaration a file sees decides whether the class is exported, so
// it is declared here with the visibility CDatabase.h gives it.
#pragma once

#pragma GCC visibility push(default)
namespace zazorazari {
class CDatabase;
}  // namespace zazorazari
#pragma GCC visibility pop
