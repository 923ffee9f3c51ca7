// A host built against the installed package: makes a record and prints it.
#include <zazorazari/zazorazari.h>

#include <iostream>

int main() {
  zazorazari::CDataObject record;
  record.Add(4, 4, false, 1, "pilPk");
  record.Add(50, 10, false, "O'Brien", "pilLastName");
  std::cout << record.ToString();
  return record.Count() == 2 ? 0 : 1;
}
