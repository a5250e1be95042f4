// The photos the album and the ledger print, and the order they print them
// in: every tree node but UnclassifiedNode, depth first (a node, then its
// children in order), each node's records in list order.
#pragma once

#include <string>
#include <vector>

namespace zor {

class Delivery;
class HierarchyNode;
class HierarchyTree;

// The nodes whose records are printed, in printing order; nodes without
// records are left out.
std::vector<const HierarchyNode*> PrintedNodes(const HierarchyTree& tree);
// The number of records the printed nodes hold, a record held twice counted
// twice: the album's progress maximum.
int PrintedRecordCount(const HierarchyTree& tree);
// The captions of the node's path, levels 1 .. its own level (code page 932).
std::vector<std::string> PathCaptions(const HierarchyNode& node);
// Makes record current and says whether it is printed: the table holds it
// and its FLAG is not 99. A record that is not printed still takes its
// place in the album's page count.
bool GotoPrintedPhoto(Delivery& d, int record);

}  // namespace zor
