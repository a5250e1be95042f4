// The system's own XML reader: a byte-level scanner for Shift_JIS files that
// only balances start and end tags. Attributes stay in a node's Text, values
// are trimmed and their five named entities decoded, nothing else is parsed.
#pragma once

#include "xml/byte_stream.h"
#include "xml/xml_tree.h"

namespace zor {

// Adds the nodes of the stream to view (which the caller has cleared),
// honouring view.GamenPrint. False when the tags do not balance, when an end
// tag comes with no element open, or when a 31st level would open; then
// view.ErrorText holds the "XMLファイルのフォーマットが不正です。" report (empty
// for an end tag with no element open) and the tree what was built so far.
bool RunOwnTokenizer(TXMLTreeView& view, ByteStream& in);

}  // namespace zor
