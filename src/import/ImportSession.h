#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "import/InterfaceLists.h"
#include "import/RowBuffer.h"
#include "text/RowLoader.h"
#include "text/RowStore.h"

namespace velmora::import {

class ImportObserver;
class StructuresSaveTarget;

enum class ImportOutcome { Succeeded, Failed };
// What the first row of the file named.
enum class ImportKind { None, Structures, Interfaces };

// One import after another into the same row buffer: loads a file, reads its
// type from the first row and hands the rows to the matching parser. A parse
// error is reported through the observer and gives Failed; a file that cannot
// be read throws ImportFileError, and an error of the save target passes through.
class ImportSession {
public:
    // saveTarget may be null: a structures file is then parsed and traced only.
    ImportSession(ImportObserver& observer, StructuresSaveTarget* saveTarget);

    ImportOutcome ImportFile(const std::string& path);
    // The same for text read from a stream; name is how the trace calls it.
    ImportOutcome ImportStream(std::istream& in, const std::string& name);

    const RowBuffer& Rows() const { return rows_; }
    ImportKind Kind() const { return kind_; }  // of the last file imported
    const std::string& Path() const { return path_; }  // of the last file imported
    const text::EncodingNotes& Encoding() const { return encoding_; } // of the last file imported
    const InterfaceLists& Interfaces() const { return interfaces_; }

private:
    ImportOutcome Import(const std::function<text::RowStore()>& load, const std::string& path);

    ImportObserver& observer_;
    StructuresSaveTarget* saveTarget_;
    RowBuffer rows_;
    InterfaceLists interfaces_;  // kept until the next interfaces import
    ImportKind kind_ = ImportKind::None;
    std::string path_;
    text::EncodingNotes encoding_;
};

} // namespace velmora::import
