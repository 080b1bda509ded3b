# Sourced by the scripts that wait for a window, a file or a process. Nothing here waits a fixed
# time: a busy machine can take seconds to show a window or write a file, so each wait is a
# poll that ends as soon as its condition holds, and gives up only after 60 s.

# poll COMMAND...: runs COMMAND until it succeeds, and fails if it has not within 60 s.
poll() {
    local deadline=$((SECONDS + 60))
    until "$@"; do ((SECONDS < deadline)) || return 1; sleep 0.05; done
}
