// Reading and writing the XML files (see XmlDocumentFile.h).
#include "zazorazari/interchange/XmlDocumentFile.h"

#include <cerrno>
#include <cstdio>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "zazorazari/database/Enums.h"
#include "zazorazari/database/FacadeOperation.h"
#include "zazorazari/interchange/RawXmlText.h"
#include "zazorazari/interchange/XmlWellFormed.h"
#include "zazorazari/platform/FileReplacement.h"
#include "zazorazari/platform/ErrorNumbers.h"

namespace zazorazari::interchange {

namespace fs = std::filesystem;

namespace {

Error CannotLoad(const std::string& strPath, const std::string& operation, const std::string& reason) {
  return Error(enumErrorImportXML, FacadeSource(operation), "Cannot load '" + strPath + "': " + reason + ".");
}

// The whole file in one buffer, which the parser then works in.
std::unique_ptr<char[]> ReadWholeFile(const std::string& strPath, size_t& size, const std::string& operation) {
  std::error_code ec;
  if (!fs::is_regular_file(strPath, ec)) throw CannotLoad(strPath, operation, "File was not found");
  size = static_cast<size_t>(fs::file_size(strPath, ec));
  std::ifstream in(strPath, std::ios::binary);
  if (ec || !in) throw CannotLoad(strPath, operation, "Error reading from file");
  auto buffer = std::make_unique_for_overwrite<char[]>(size == 0 ? 1 : size);
  if (size > 0 && !in.read(buffer.get(), static_cast<std::streamsize>(size))) {
    throw CannotLoad(strPath, operation, "Error reading from file");
  }
  return buffer;
}

class FileWriter : public pugi::xml_writer {
 public:
  explicit FileWriter(FILE* file) : m_file(file) {}
  void write(const void* data, size_t size) override {
    if (m_ok && std::fwrite(data, 1, size, m_file) != size) m_ok = false;
  }
  bool Ok() const { return m_ok; }

 private:
  FILE* m_file;
  bool m_ok = true;
};

}  // namespace

std::unique_ptr<LoadedXmlDocument> ReadXmlFile(const std::string& strPath, const std::string& operation) {
  auto loaded = std::make_unique<LoadedXmlDocument>();
  loaded->buffer = ReadWholeFile(strPath, loaded->size, operation);
  const std::string_view bytes(loaded->buffer.get(), loaded->size);
  if (const auto fault = CharacterFault(bytes)) {
    throw CannotLoad(strPath, operation, fault->what + LineNote(bytes, fault->offset));
  }
  return loaded;
}

void ParseXmlDocument(LoadedXmlDocument& loaded, const std::string& strPath, const std::string& operation) {
  const std::string_view bytes(loaded.buffer.get(), loaded.size);
  const pugi::xml_parse_result result =
      loaded.document.load_buffer_inplace(loaded.buffer.get(), loaded.size, kXmlParseOptions, pugi::encoding_auto);
  if (!result) {
    throw CannotLoad(strPath, operation,
                     std::string(result.description()) + " at offset " + std::to_string(result.offset));
  }
  for (const pugi::xml_node node : loaded.document.children()) {
    if (node.type() == pugi::node_doctype) {
      throw CannotLoad(strPath, operation, "document type declarations are not accepted");
    }
  }
  if (const auto fault = DuplicatedAttribute(loaded.document)) {
    throw CannotLoad(strPath, operation, fault->what + LineNote(bytes, fault->offset));
  }
}

std::unique_ptr<LoadedXmlDocument> LoadXmlDocument(const std::string& strPath, const std::string& operation) {
  auto loaded = ReadXmlFile(strPath, operation);
  ParseXmlDocument(*loaded, strPath, operation);
  return loaded;
}

// The parse rewrote the buffer in place, but only line ends inside attribute
// values are lost there, so the count holds but after such values.
std::string LoadedXmlDocument::LineOf(pugi::xml_node node) const {
  return LineNote(std::string_view(buffer.get(), size), static_cast<size_t>(std::max<ptrdiff_t>(node.offset_debug(), 0)));
}

pugi::xml_node AppendRootWithDeclaration(pugi::xml_document& document, const char* name) {
  pugi::xml_node declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  return document.append_child(name);
}

void SaveXmlDocument(const pugi::xml_document& document, const std::string& strPath) {
  files::ReplaceFileWith(strPath, files::kExportedFile, [&](FILE* file) {
    FileWriter writer(file);
    document.save(writer, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
    return writer.Ok();
  });
}

void SaveXmlText(const std::string& strPath, const std::function<void(RawXmlText&)>& write) {
  files::ReplaceFileWith(strPath, files::kExportedFile, [&](FILE* file) {
    // After a failed write nothing more is written; its errno names the
    // failure (taken where the piece was written: `write` may fill the text
    // on another thread, which has an errno of its own).
    int failure = 0;
    RawXmlText xml([&](std::string&& piece) {
      errno = 0;
      if (failure == 0 && std::fwrite(piece.data(), 1, piece.size(), file) != piece.size()) {
        failure = errno != 0 ? errno : EIO;
      }
    });
    write(xml);
    xml.Flush();
    errno = failure;
    return failure == 0;
  });
}

}  // namespace zazorazari::interchange
