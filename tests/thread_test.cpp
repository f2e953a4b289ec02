// A host that breaks the one-thread rule: exchanges of several families run
// from several threads at once. Each thread works on tables no other thread
// touches and checks its results through what the toolbox writes into the
// thread's own memory (a message record, a print file), so that every
// result is its own. The boundary lock keeps each call whole; without it the
// tables and result buffers the calls share are corrupted (the ThreadSanitizer
// build reports the races).
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kelmod_test {
namespace {

class ThreadTest : public ToolboxTest {
 protected:
  void SetUp() override {
    ToolboxTest::SetUp();
    UseSeparator(';');
    sets_ = dir_.write("sets.dat", "  ANSW   01  D  DANS001\n  REQU   01  U  SREQ001\n");
    fields_ = dir_.write("fields.dat",
                         "  DANS001 MATNR                8Material\n"
                         "  DANS001 MAKTX               12Text\n"
                         "  SREQ001 MATNR                8Material\n"
                         "  SREQ001 WERKS                4Plant\n");
  }

  // One worker: an exchange that ends in a print file of its own table (or
  // in a record of the thread's own), run once alone for the expected
  // result and then again and again beside the others.
  struct Worker {
    std::string name;
    std::function<std::string(const std::string& printPath)> run;
  };

  std::vector<Worker> Workers() {
    std::vector<Worker> workers;
    workers.push_back({"answer table", [this](const std::string& print) {
                         Arg n("ANSW "), k("01"), s(sets_), f(fields_);
                         Arg data("100-100 Bolt M8x40 100-200 Washer 8.4  ");
                         EXPECT_EQ(ZanCreateFillTable(2, n.get(), k.get(), s.get(), f.get(),
                                                      data.get(), 40),
                                   0);
                         Arg p(print);
                         EXPECT_EQ(ZanPrintTable(2, p.get()), 0);
                         return ReadFile(print);
                       }});
    workers.push_back({"send table written value by value", [this](const std::string& print) {
                         Arg n("REQU "), k("01"), s(sets_), f(fields_);
                         EXPECT_EQ(ZanCreateTable(1, n.get(), k.get(), s.get(), f.get()), 0);
                         for (int r = 1; r <= 20; ++r) {
                           Arg field("MATNR"), value("M-" + std::to_string(r));
                           EXPECT_EQ(ZanWriteTableValue(1, field.get(), value.get(), r), 0);
                           Arg plant("WERKS"), number(std::to_string(1000 + r));
                           EXPECT_EQ(ZanWriteTableValue(1, plant.get(), number.get(), r), 0);
                         }
                         Arg p(print);
                         EXPECT_EQ(ZanPrintTable(1, p.get()), 0);
                         return ReadFile(print);
                       }});
    workers.push_back({"user table", [](const std::string& print) {
                         Arg data("a;b;c;d;e;f;g;h;i;");
                         EXPECT_EQ(ZanCreateFillUserTable(1, 3, data.get(), 18), 0);
                         Arg p(print);
                         EXPECT_EQ(ZanPrintTable(10, p.get()), 0);
                         return ReadFile(print);
                       }});
    workers.push_back({"mails", [](const std::string& print) {
                         Arg data(
                             "F;2024;17;D;2024;4711;Drawing released;MEIER;SCHULZ;1;X;;;;;;"
                             "F;2024;18;D;2024;4712;Change 12;SCHULZ;MEIER;1;;;;;;;");
                         EXPECT_EQ(ZanCreateMailTable(1, data.get(),
                                                      static_cast<int32_t>(data.str().size())),
                                   0);
                         Arg p(print);
                         EXPECT_EQ(ZanPrintTable(21, p.get()), 0);
                         return ReadFile(print);
                       }});
    workers.push_back({"class table", [](const std::string& print) {
                         Arg data("PUMP;DN;A;X;mm;VALVE;PN;B;X;bar;");
                         int32_t count = 0;
                         EXPECT_EQ(ZanCreateFillClasTableK4(2, data.get(),
                                                            static_cast<int32_t>(data.str().size()),
                                                            &count),
                                   0);
                         EXPECT_EQ(count, 2);
                         Arg p(print);
                         EXPECT_EQ(ZanPrintTable(12, p.get()), 0);
                         return ReadFile(print);
                       }});
    workers.push_back({"messages", [](const std::string&) {
                         std::string texts;
                         for (int32_t code : {0, 41, 78, 8, 9999}) {
                           MessageRecord m{};
                           EXPECT_EQ(ZanGetErrorMessage(code, &m), 0);
                           texts += std::to_string(m.code) + m.type + m.shortText + m.longText;
                         }
                         return texts;
                       }});
    return workers;
  }

  std::string sets_;
  std::string fields_;
};

TEST_F(ThreadTest, ExchangesOfEveryFamilyFromSeveralThreadsKeepTheirResults) {
  std::vector<Worker> workers = Workers();
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < workers.size(); ++i) {
    expected.push_back(workers[i].run(dir_.file("alone" + std::to_string(i) + ".txt")));
    ASSERT_FALSE(expected.back().empty()) << workers[i].name;
  }
  constexpr int kRounds = 40;
  std::vector<std::atomic<int>> mismatches(workers.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < workers.size(); ++i) {
    threads.emplace_back([&, i] {
      const std::string print = dir_.file("thread" + std::to_string(i) + ".txt");
      for (int round = 0; round < kRounds; ++round)
        if (workers[i].run(print) != expected[i]) ++mismatches[i];
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t i = 0; i < workers.size(); ++i)
    EXPECT_EQ(mismatches[i].load(), 0) << workers[i].name;
}

TEST_F(ThreadTest, TwoThreadsOnTheSameTableSeeEachCallWhole) {
  // Both threads replace, fill and print the same answer table: whatever the
  // interleaving, each print holds one whole table, the one or the other,
  // never a mix of both.
  const std::string first = "A-1     First text  A-2     Second text ";
  const std::string second = "B-1     Other text  B-2     More text   ";
  auto fillAndPrint = [this](const std::string& data, const std::string& print) {
    Arg n("ANSW "), k("01"), s(sets_), f(fields_), d(data), p(print);
    const bool filled =
        ZanCreateFillTable(2, n.get(), k.get(), s.get(), f.get(), d.get(), 40) == 0;
    return filled && ZanPrintTable(2, p.get()) == 0 ? ReadFile(print) : std::string();
  };
  const std::string printedFirst = fillAndPrint(first, dir_.file("first.txt"));
  const std::string printedSecond = fillAndPrint(second, dir_.file("second.txt"));
  ASSERT_NE(printedFirst, printedSecond);
  std::atomic<int> mixed{0};
  auto run = [&](const std::string& data, const std::string& print) {
    for (int round = 0; round < 100; ++round) {
      const std::string printed = fillAndPrint(data, print);
      if (printed != printedFirst && printed != printedSecond) ++mixed;
    }
  };
  std::thread a(run, first, dir_.file("a.txt"));
  std::thread b(run, second, dir_.file("b.txt"));
  a.join();
  b.join();
  EXPECT_EQ(mixed.load(), 0);
}

#ifndef _WIN32
TEST_F(ThreadTest, ACallWaitsWhileAnotherThreadIsInsideTheToolbox) {
  // A print into a named pipe stays inside the toolbox until a reader opens
  // the pipe: meanwhile a call from another thread must not get in.
  const std::string fifo = dir_.file("pipe");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(ZanCreateFillUserTable(1, 1, Arg("A;").get(), 2), 0);
  std::atomic<bool> printing{false}, printed{false}, versionGot{false};
  std::thread printer([&] {
    printing = true;
    EXPECT_EQ(ZanPrintTable(10, Arg(fifo).get()), 0);
    printed = true;
  });
  while (!printing) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the printer waits in fopen
  std::thread other([&] {
    char* version = nullptr;
    EXPECT_EQ(ZanToolboxVersion(&version), 0);
    versionGot = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_FALSE(printed);
  EXPECT_FALSE(versionGot) << "a call ran while another thread was inside the toolbox";
  std::FILE* reader = std::fopen(fifo.c_str(), "r");  // lets the print go on
  ASSERT_NE(reader, nullptr);
  std::string text;
  for (int c; (c = std::fgetc(reader)) != EOF;) text += static_cast<char>(c);
  std::fclose(reader);
  printer.join();
  other.join();
  EXPECT_TRUE(printed && versionGot);
  EXPECT_NE(text.find("Record-Nummer: [00000001]"), std::string::npos) << text;
}
#endif

}  // namespace
}  // namespace kelmod_test
