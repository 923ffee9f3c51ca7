// The rows of the tables a database file import merges (see
// XmlTableElements.h).
#include "zazorazari/interchange/XmlTableElements.h"

namespace zazorazari::interchange {

XmlTableElements::XmlTableElements(const pugi::xml_document& document, std::span<const std::string> tables) {
  for (const std::string& table : tables) m_elements[table];
  // One walk over the whole document; an element of a table inside another
  // table's element counts too, as it always has.
  pugi::xml_node node = document.first_child();
  while (node) {
    if (node.type() == pugi::node_element) {
      if (const auto found = m_elements.find(std::string_view(node.name())); found != m_elements.end())
        found->second.push_back(node);
    }
    if (node.first_child()) {
      node = node.first_child();
      continue;
    }
    while (node && !node.next_sibling()) node = node.parent();
    if (node) node = node.next_sibling();
  }
}

void XmlTableElements::EachElement(const std::string& table,
                                   const std::function<void(pugi::xml_node)>& visit) const {
  const auto found = m_elements.find(std::string_view(table));
  if (found == m_elements.end()) return;
  for (const pugi::xml_node element : found->second) visit(element);
}

}  // namespace zazorazari::interchange
