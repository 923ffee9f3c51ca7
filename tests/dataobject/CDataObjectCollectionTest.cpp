// The list of one parent's records: insertion and keys, re-parenting,
// sorting by one or two fields, empty clones, filling from a real file.
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "support/ErrorCapture.h"
#include "support/TestDatabase.h"
#include "zazorazari/dataobject/CDataObjectCollection.h"
#include "zazorazari/platform/Conversions.h"

using namespace zazorazari;
using zaztest::CaughtError;

namespace {

CDataObjectPtr Member(int32_t pk, const Variant& v, const Variant& w = 0) {
  auto dobj = std::make_shared<CDataObject>();
  dobj->Add(4, 4, false, pk, "ttpPk");
  dobj->Add(4, 4, false, 1, "tasPk");
  dobj->Add(8, 7, false, v, "v");
  dobj->Add(8, 7, false, w, "w");
  return dobj;
}

CDataObjectCollection MakeCollection(std::initializer_list<CDataObjectPtr> members) {
  CDataObjectCollection coll;
  coll.SetKeyField("ttpPk");
  coll.SetSelectorField("tasPk");
  for (CDataObjectPtr member : members) coll.Add(member, CStr(member->Fields("ttpPk")->Value()));
  return coll;
}

std::vector<int32_t> Keys(const CDataObjectCollection& coll) {
  std::vector<int32_t> keys;
  for (const auto& member : coll) keys.push_back(CLng(member->Fields("ttpPk")->Value()));
  return keys;
}
using Order = std::vector<int32_t>;

TEST(CDataObjectCollection, AddTakesTheCallersPointerAndPlacesBeforeOrAfter) {
  CDataObjectCollection coll = MakeCollection({Member(1, 0), Member(3, 0)});
  CDataObjectPtr m0 = Member(0, 0), m2 = Member(2, 0), mx = Member(9, 0);
  CDataObject* raw = m0.get();
  EXPECT_EQ(coll.Add(m0, Variant(), 1).get(), raw);
  EXPECT_EQ(m0, nullptr);
  coll.Add(m2, "two", Variant(), "1");
  EXPECT_EQ(Keys(coll), (Order{0, 1, 2, 3}));

  EXPECT_EQ(CaughtError([&] { coll.Add(mx, "x", 1, 2); }).Number(), 5);
  EXPECT_EQ(CaughtError([&] { coll.Add(mx, "TWO"); }).Number(), 457);
  EXPECT_EQ(CaughtError([&] { coll.Add(mx, "x", Variant(), 5); }).Number(), 9);
  EXPECT_NE(mx, nullptr);  // a refused member stays with the caller
  EXPECT_EQ(coll.Count(), 4);
}

TEST(CDataObjectCollection, SelectorValueReparentsUntilAMemberLacksTheField) {
  CDataObjectCollection coll = MakeCollection({Member(1, 0), Member(2, 0)});
  auto stranger = std::make_shared<CDataObject>();
  coll.Add(stranger, Variant(), 2);
  EXPECT_EQ(CaughtError([&] { coll.SetSelectorValue(9); }).Number(), 5);
  EXPECT_EQ(coll.Item(1)->Fields("tasPk")->Value(), Variant(9));
  EXPECT_EQ(coll.Item(3)->Fields("tasPk")->Value(), Variant(1));

  coll.SetSelectorField("");
  coll.SetSelectorValue(7);
  EXPECT_EQ(coll.SelectorValue(), 7);
}

TEST(CDataObjectCollection, SortOrders) {
  CDataObjectCollection coll = MakeCollection({Member(3, 3), Member(1, 1), Member(2, 2)});
  coll.Sort(enumSortAscending, "v");
  EXPECT_EQ(Keys(coll), (Order{1, 2, 3}));
  coll.Sort(enumSortDescending, "v");
  EXPECT_EQ(Keys(coll), (Order{3, 2, 1}));

  // One field: equal values (NULL among them) come out reversed.
  CDataObjectCollection equal = MakeCollection({Member(1, 5), Member(2, 5), Member(3, Variant::Null())});
  equal.Sort(enumSortAscending, "v");
  EXPECT_EQ(Keys(equal), (Order{3, 2, 1}));

  // Two fields: equal in both keep their order; a second value 0 goes first.
  CDataObjectCollection pair =
      MakeCollection({Member(1, 5, 2), Member(2, 5, 1), Member(3, 5, 2), Member(4, 5, 0), Member(5, 4, 9)});
  pair.Sort(enumSortAscending, "v", "w");
  EXPECT_EQ(Keys(pair), (Order{5, 4, 2, 1, 3}));
  pair.Sort(enumSortDescending, "v", "w");
  EXPECT_EQ(Keys(pair), (Order{1, 3, 2, 4, 5}));
}

TEST(CDataObjectCollection, SortRekeysOrFailsLeavingTheMembersAsTheyWere) {
  CDataObjectCollection coll = MakeCollection({Member(2, 2), Member(1, 1)});
  CDataObjectPtr m = Member(4, 0);
  coll.Add(m, "old key");
  coll.Item(3)->Remove("w");

  EXPECT_EQ(CaughtError([&] { coll.Sort(enumSortAscending, "v", "w"); }).Number(), 5);
  coll.Item(3)->Fields("ttpPk")->SetValue(2);
  EXPECT_EQ(CaughtError([&] { coll.Sort(enumSortAscending, "v"); }).Number(), 457);
  EXPECT_EQ(Keys(coll), (Order{2, 1, 2}));
  EXPECT_NE(coll.Item("old key"), nullptr);

  coll.Item(3)->Fields("ttpPk")->SetValue(4);
  coll.Sort(enumSortAscending, "v");
  EXPECT_EQ(coll.Item("4"), coll.Item(1));
  EXPECT_EQ(CaughtError([&] { coll.Item("old key"); }).Number(), 5);
}

TEST(CDataObjectCollection, CloneEmptyCopiesTheDescriptionOnly) {
  CDataObjectCollection coll = MakeCollection({Member(1, 0)});
  coll.SetName("doTaskTurnpoint");
  coll.SetSelectorValue(12);
  CDataObjectCollectionPtr empty = coll.CloneEmpty();
  EXPECT_EQ(empty->Name(), "doTaskTurnpoint");
  EXPECT_EQ(empty->SelectorValue(), 12);
  EXPECT_EQ(empty->SelectorField(), "tasPk");
  EXPECT_EQ(empty->KeyField(), "ttpPk");
  EXPECT_EQ(empty->Count(), 0);
}

TEST(CDataObjectCollection, BuildFromDAOQueryReadsOneParentsMembers) {
  zaztest::TestDatabase file;
  file.Sql("INSERT INTO tblTaskTurnpoint (ttpPk, tasPk, ttpNr) VALUES (11, 4, 1), (12, 4, 2), (13, 4, 3), (21, 5, 1)");
  CDatabase& db = file.Db();

  CDataObjectCollection coll;
  coll.BuildFromDAOQuery(db, "doTaskTurnpoint", "ttpPk", "tasPk", 4, "ttpNr>1", "ttpNr DESC");
  EXPECT_EQ(Keys(coll), (Order{13, 12}));
  EXPECT_EQ(coll.Item("12")->Fields("ttpNr")->Value(), Variant(2));
  EXPECT_EQ(coll.SelectorValue(), 4);
  coll.BuildFromDAOQuery(db, "doTaskTurnpoint", "ttpPk", "tasPk", 0, "ttpNr=1");  // appended
  EXPECT_EQ(Keys(coll), (Order{13, 12, 11, 21}));
  EXPECT_EQ(coll.SelectorValue(), 0);
  coll.BuildFromDAOQuery(db, "doTaskTurnpoint", "ttpPk", "tasPk", 0);
  EXPECT_EQ(coll.Count(), 4);

  CDataObjectCollection byParent;
  EXPECT_EQ(CaughtError([&] { byParent.BuildFromDAOQuery(db, "doTaskTurnpoint", "tasPk", "tasPk", 4); }).Number(), 457);
  EXPECT_EQ(byParent.Count(), 1);  // the members before the failure stay
  EXPECT_EQ(byParent.SelectorField(), "");
}

}  // namespace
