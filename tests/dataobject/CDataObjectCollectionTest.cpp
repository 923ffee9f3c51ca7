// The list of one parent's records: insertion and keys, re-parenting,
// sorting by one or two fields, empty clones.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "zazorazari/dataobject/CDataObjectCollection.h"
#include "zazorazari/platform/Conversions.h"
#include "zazorazari/platform/Error.h"

using namespace zazorazari;

namespace {

template <class F>
int32_t ErrorNumberOf(F&& call) {
  try {
    call();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

// A turnpoint-like member: key ttpPk, parent tasPk, sort values v and w.
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
  for (CDataObjectPtr member : members) {
    const std::string key = CStr(member->Fields("ttpPk")->Value());
    coll.Add(member, key);
  }
  return coll;
}

std::vector<int32_t> Keys(const CDataObjectCollection& coll) {
  std::vector<int32_t> keys;
  for (const auto& member : coll) keys.push_back(CLng(member->Fields("ttpPk")->Value()));
  return keys;
}

using Order = std::vector<int32_t>;

TEST(CDataObjectCollectionAdd, CallerPointerIsTakenAndPlacementFollowsBeforeOrAfter) {
  CDataObjectCollection coll;
  CDataObjectPtr held = Member(1, 0);
  CDataObject* raw = held.get();
  CDataObjectPtr added = coll.Add(held, "one");
  EXPECT_EQ(held, nullptr);
  EXPECT_EQ(added.get(), raw);
  EXPECT_EQ(coll.Item("ONE").get(), raw);

  CDataObjectPtr m3 = Member(3, 0), m0 = Member(0, 0), m2 = Member(2, 0), mx = Member(9, 0);
  coll.Add(m3, "three");
  coll.Add(m0, Variant(), 1);  // before position 1, without a key
  coll.Add(m2, "two", Variant(), "one");
  EXPECT_EQ(Keys(coll), (Order{0, 1, 2, 3}));

  EXPECT_EQ(ErrorNumberOf([&] { coll.Add(mx, "x", 1, 2); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { coll.Add(mx, "Two"); }), 457);
  EXPECT_EQ(ErrorNumberOf([&] { coll.Add(mx, "x", "nobody"); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { coll.Add(mx, "x", Variant(), 5); }), 9);
  EXPECT_NE(mx, nullptr);  // a refused member stays with the caller
  EXPECT_EQ(coll.Count(), 4);

  coll.Remove("one");
  EXPECT_EQ(Keys(coll), (Order{0, 2, 3}));
  EXPECT_EQ(CLng(coll.Item("three")->Fields("ttpPk")->Value()), 3);
}

TEST(CDataObjectCollectionSelector, ReparentsEveryMemberOrStopsAtOneWithoutTheField) {
  CDataObjectCollection coll = MakeCollection({Member(1, 0), Member(2, 0)});
  coll.SetSelectorValue(9);
  EXPECT_EQ(coll.SelectorValue(), 9);
  for (const auto& member : coll) EXPECT_EQ(member->Fields("tasPk")->Value(), Variant(9));

  auto stranger = std::make_shared<CDataObject>();
  stranger->Add(4, 4, false, 3, "ttpPk");
  coll.Add(stranger, Variant(), 2);
  EXPECT_EQ(ErrorNumberOf([&] { coll.SetSelectorValue(4); }), 5);
  EXPECT_EQ(coll.Item(1)->Fields("tasPk")->Value(), Variant(4));
  EXPECT_EQ(coll.Item(3)->Fields("tasPk")->Value(), Variant(9));

  coll.SetSelectorField("");
  coll.SetSelectorValue(7);
  EXPECT_EQ(coll.SelectorValue(), 7);
  EXPECT_EQ(coll.Item(1)->Fields("tasPk")->Value(), Variant(4));
}

TEST(CDataObjectCollectionSort, OneFieldAscendingDescendingAndRekeyed) {
  CDataObjectCollection coll = MakeCollection({Member(3, 3), Member(1, 1), Member(2, 2)});
  coll.Sort(enumSortAscending, "v");
  EXPECT_EQ(Keys(coll), (Order{1, 2, 3}));
  coll.Sort(enumSortDescending, "v");
  EXPECT_EQ(Keys(coll), (Order{3, 2, 1}));
  coll.Sort(static_cast<EnumSort>(7), "V");  // anything but ascending sorts descending
  EXPECT_EQ(Keys(coll), (Order{3, 2, 1}));

  CDataObjectCollection unkeyed;
  unkeyed.SetKeyField("ttpPk");
  CDataObjectPtr m = Member(5, 0);
  unkeyed.Add(m, "old key");
  unkeyed.Sort(enumSortAscending, "v");
  EXPECT_EQ(unkeyed.Item("5")->Fields("ttpPk")->Value(), Variant(5));
  EXPECT_EQ(ErrorNumberOf([&] { unkeyed.Item("old key"); }), 5);
}

TEST(CDataObjectCollectionSort, EqualValuesAndTheSecondField) {
  // One field: equal members come out reversed.
  CDataObjectCollection single = MakeCollection({Member(1, 5), Member(2, 5), Member(3, 1)});
  single.Sort(enumSortAscending, "v");
  EXPECT_EQ(Keys(single), (Order{3, 2, 1}));

  // NULL compares as neither less nor greater: it takes the equal branch.
  CDataObjectCollection nulls = MakeCollection({Member(1, 2), Member(2, Variant::Null())});
  nulls.Sort(enumSortAscending, "v");
  EXPECT_EQ(Keys(nulls), (Order{2, 1}));

  // Two fields: equal in both keep their order; a second value 0 goes first.
  CDataObjectCollection pair =
      MakeCollection({Member(1, 5, 2), Member(2, 5, 1), Member(3, 5, 2), Member(4, 5, 0), Member(5, 4, 9)});
  pair.Sort(enumSortAscending, "v", "w");
  EXPECT_EQ(Keys(pair), (Order{5, 4, 2, 1, 3}));
  pair.Sort(enumSortDescending, "v", "w");
  EXPECT_EQ(Keys(pair), (Order{1, 3, 2, 4, 5}));
}

TEST(CDataObjectCollectionSort, FailureLeavesTheMembersAsTheyWere) {
  auto noW = std::make_shared<CDataObject>();
  noW->Add(4, 4, false, 4, "ttpPk");
  noW->Add(8, 7, false, 1, "v");
  CDataObjectCollection coll = MakeCollection({Member(2, 2), Member(1, 1), noW});

  EXPECT_EQ(ErrorNumberOf([&] { coll.Sort(enumSortAscending, "missing"); }), 5);
  EXPECT_EQ(ErrorNumberOf([&] { coll.Sort(enumSortAscending, "v", "w"); }), 5);
  coll.Item(3)->Fields("ttpPk")->SetValue(2);  // a repeated key text
  EXPECT_EQ(ErrorNumberOf([&] { coll.Sort(enumSortAscending, "v"); }), 457);
  coll.SetKeyField("");
  EXPECT_EQ(ErrorNumberOf([&] { coll.Sort(enumSortAscending, "v"); }), 5);

  ASSERT_EQ(coll.Count(), 3);
  EXPECT_EQ(coll.Item("4"), noW);  // the old keys still hold
  EXPECT_EQ(coll.Item(1)->Fields("v")->Value(), Variant(2));
}

TEST(CDataObjectCollectionClone, CloneEmptyCopiesTheDescriptionOnly) {
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

}  // namespace
