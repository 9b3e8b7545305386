#!/usr/bin/env bash
# Fails when a GoogleTest source uses QtTest's checks (QVERIFY, QCOMPARE, QTRY_*,
# QFAIL, QSKIP, QEXPECT_FAIL): on a failure they record it in QtTest's own result
# and return, so GoogleTest never hears of it and the test passes. Wait with
# QTest::qWaitFor and check with EXPECT_*/ASSERT_* instead.
# Usage: tools/check-test-checks.sh [FILE...]   (default: the git-tracked tests)
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -eq 0 ]; then
  mapfile -t files < <(git ls-files -- 'tests/*.cpp' 'tests/*.h')
  set -- "${files[@]}"
fi
if grep -nE '\b(QVERIFY[A-Z0-9_]*|QCOMPARE[A-Z0-9_]*|QTRY_[A-Z0-9_]+|QFAIL|QSKIP|QEXPECT_FAIL)\b' -- "$@"; then
  echo "QtTest checks above: GoogleTest does not hear their failures;" \
    "wait with QTest::qWaitFor and check with EXPECT_*/ASSERT_*" >&2
  exit 1
fi
