# Sourced by the test scripts after $build is set. Cases about what an ordinary
# user may not do (ctest label "unprivileged") cannot fail for root, so where
# the tests run as root they run as the user TABLOOM_TEST_USER names
# (tabloom-test, made here when missing); anyone else runs them as themselves.
if [ "$(id -u)" -eq 0 ]; then
  test_user="${TABLOOM_TEST_USER:-tabloom-test}"
  # Another run may be making it at the same time.
  id -u "$test_user" >/dev/null 2>&1 ||
    useradd --system --user-group --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
      "$test_user" 2>/dev/null || id -u "$test_user" >/dev/null
  if setpriv --reuid="$test_user" --regid="$test_user" --init-groups test -x "$build/tests"; then
    export TABLOOM_TEST_USER="$test_user"
  else
    unset TABLOOM_TEST_USER
    echo "The user $test_user may not enter $build/tests: the cases labelled unprivileged skip." >&2
  fi
fi
