#!/usr/bin/env bash
# nutrava-proxy behind nginx, configured from the sample in packaging/nginx: both run on
# loopback as the user running the test, everything in a temporary folder. Posts go through
# nginx with the program's own client; the pages, the headers and the refusals are read back
# through nginx. Exits 77 (skipped) when nginx or curl is missing.
#
#   nginx_test.sh NGINX NUTRAVA_PROXY POST_PROBE SAMPLE_CONF
set -euo pipefail
nginx=$1 proxy=$2 probe=$3 sample=$4
for tool in "$nginx" curl python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "nginx_test: ${tool} is not installed (scripts/deps.sh installs it); skipped"
        exit 77
    fi
done

work=$(mktemp -d)
pids=()
stop() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    pids=()
}
trap 'stop; rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# Waits up to ten seconds for something to answer on the port, while the process lives.
wait_for() {
    local pid=$1 port=$2 log=$3
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || { cat "$log"; echo "nginx_test: process $pid ended"; exit 1; }
        curl -s -o /dev/null "http://127.0.0.1:$port/" && return 0
        sleep 0.1
    done
    cat "$log"
    echo "nginx_test: nothing answers on port $port"
    exit 1
}

# --- the proxy, with one account
folder=$work/proxy
email=joe@example.com
password='pass word'
printf '%s\n' "$password" | "$proxy" --dir "$folder" account add myblog "$email" >/dev/null
# A second "account add" must not hand the blog to whoever knows a new password.
if printf 'other\n' | "$proxy" --dir "$folder" account add myblog "$email" >/dev/null 2>&1; then
    fail "account add replaced an existing blog's password"
fi
proxy_port=$(free_port)
"$proxy" --listen 127.0.0.1 --port "$proxy_port" --dir "$folder" --trusted-proxy 127.0.0.1 \
    2>"$work/proxy.log" &
pids+=($!)
proxy_pid=$!
wait_for "$proxy_pid" "$proxy_port" "$work/proxy.log"

# --- nginx from the sample, on loopback, with every path of its own in the work folder
mkdir -p "$work/nginx"
nginx_port=$(free_port)
sed -e "s|listen 80|listen 127.0.0.1:$nginx_port|" -e '/listen \[::\]:80/d' \
    -e "s|/var/lib/nutrava-proxy|$folder|g" -e "s|127.0.0.1:8780|127.0.0.1:$proxy_port|" \
    "$sample" >"$work/nginx/nutrava-proxy.conf"
if grep -qE 'listen (\[::\]:)?80|/var/lib/nutrava-proxy|:8780' "$work/nginx/nutrava-proxy.conf"; then
    echo "nginx_test: the sample's address, folder or proxy port changed; update this test"
    exit 1
fi
# Run as root, nginx would hand its workers to nobody, who cannot read the work folder.
[ "$(id -u)" -ne 0 ] || user_line="user root;"
cat >"$work/nginx/nginx.conf" <<EOF
daemon off;
${user_line:-}
worker_processes 1;
pid $work/nginx/nginx.pid;
error_log $work/nginx/error.log;
events {
    worker_connections 64;
}
http {
    access_log $work/nginx/access.log;
    client_body_temp_path $work/nginx/body;
    proxy_temp_path $work/nginx/proxy;
    fastcgi_temp_path $work/nginx/fastcgi;
    uwsgi_temp_path $work/nginx/uwsgi;
    scgi_temp_path $work/nginx/scgi;
    include $work/nginx/nutrava-proxy.conf;
}
EOF
nginx_args=(-p "$work/nginx/" -e "$work/nginx/error.log" -c "$work/nginx/nginx.conf")
"$nginx" -t -q "${nginx_args[@]}"
"$nginx" "${nginx_args[@]}" &
pids+=($!)
nginx_pid=$!
wait_for "$nginx_pid" "$nginx_port" "$work/nginx/error.log"
base=http://127.0.0.1:$nginx_port

# --- posts through nginx with the program's client
post() {
    "$probe" --no-dialog --url "$base/post" \
        --credentials "myblog.localhost:8780 $email $password" "$@" 2>>"$work/probe.log"
}
answer=$(post --field "Monday walk" --field $'Walked 3 miles.\nSoup & bread, <b>no</b> cake.' --field Joe)
[ "$answer" = "OK: posted" ] || fail "journal post answered '$answer'"
answer=$(post --field "Daily chart" \
    --field "<table><tr><td>Current Weight</td><td>80</td></tr></table>" --field Joe)
[ "$answer" = "OK: posted" ] || fail "table post answered '$answer'"

# GET URL [curl options...]: the head into $work/head, the body into $work/body, the status out.
get() {
    local url=$1
    shift
    curl -s --path-as-is -D "$work/head" -o "$work/body" -w '%{http_code}' "$@" "$url"
}
has_header() {
    tr -d '\r' <"$work/head" | grep -qiFx "$1" || fail "$2: no '$1' in: $(tr -d '\r' <"$work/head")"
}
has_body() {
    grep -qF -- "$1" "$work/body" || fail "$2: no '$1' in the body"
}
safety_headers() {
    has_header "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'" "$1"
    has_header "X-Content-Type-Options: nosniff" "$1"
    has_header "Cache-Control: no-cache" "$1"
}

for page in "/myblog/1.html|Soup &amp; bread, &lt;b&gt;no&lt;/b&gt; cake." \
            "/myblog/2.html|<td>Current Weight</td>" \
            "/myblog/|Monday walk" "/myblog/index.html|Daily chart" \
            "/myblog/feed.atom|<title>Daily chart</title>"; do
    path=${page%%|*}
    status=$(get "$base$path")
    [ "$status" = 200 ] || { fail "$path answered $status"; continue; }
    safety_headers "$path"
    has_body "${page#*|}" "$path"
    case $path in
    *.atom) has_header "Content-Type: application/atom+xml; charset=utf-8" "$path" ;;
    *) has_header "Content-Type: text/html; charset=utf-8" "$path" ;;
    esac
done
# The host form: the blog is the name in front of the domain.
for path in / /2.html /feed.atom; do
    status=$(get "$base$path" -H "Host: myblog.example.org")
    [ "$status" = 200 ] || fail "myblog.example.org$path answered $status"
    safety_headers "myblog.example.org$path"
done
has_body "<title>Daily chart</title>" "myblog.example.org/feed.atom"

status=$(get "$base/myblog")
[ "$status" = 301 ] || fail "/myblog answered $status"
has_header "Location: /myblog/" "/myblog"

# A GET of /post reaches the proxy, which answers in its protocol.
status=$(get "$base/post")
[ "$status" = 405 ] || fail "GET /post answered $status"
has_body "405 The posting service takes posts only." "GET /post"
grep -q " GET /post 405$" "$work/proxy.log" || fail "the proxy did not log the GET of /post"

# Nothing outside the blogs' public folder, nor a file a blog folder holds besides its pages.
# "/accounts" could name a blog, so redirects are followed.
touch "$folder/blogs/myblog/1.html.tmp"
for path in /accounts /posts/myblog.json /serving.lock /blogs/myblog/1.html /../accounts \
            /myblog/../../accounts /myblog/%2e%2e/%2e%2e/accounts /myblog/..%2f..%2faccounts \
            /myblog/1.html.tmp /myblog//1.html.tmp /myblog/1.html/ /MyBlog/1.html; do
    status=$(get "$base$path" -L)
    case $status in 400 | 404) ;; *) fail "$path answered $status" ;; esac
    safety_headers "$path"
    if grep -qF -e "$email" -e pbkdf2 -e urn:uuid "$work/body"; then fail "$path showed a private file"; fi
done
for path in /../accounts /../../accounts /../../posts/myblog.json /1.html.tmp; do
    status=$(get "$base$path" -H "Host: myblog.example.org")
    case $status in 400 | 404) ;; *) fail "myblog.example.org$path answered $status" ;; esac
done
if grep -E " (GET|HEAD|POST|OTHER) " "$work/proxy.log" |
    grep -qE "accounts|myblog\.json|serving\.lock|\.tmp"; then
    fail "a request for a private file reached the proxy"
fi

# nginx takes a body as long as the proxy does and refuses a longer one itself, with an answer
# the program shows.
send_zeros() {
    head -c "$1" /dev/zero | curl -s --data-binary @- \
        -H "Content-Type: application/encoded-post-data" -H "Proto-Version: 1.0/1.55" "$base/post"
}
answer=$(send_zeros 1048576)
[ "${answer%% *}" = 401 ] || fail "a post of 1 MiB answered '$answer'"
answer=$(send_zeros 1048577)
[ "$answer" = "413 The post is too long for the posting service." ] ||
    fail "an over-long post answered '$answer'"
if grep -q " POST /post 413$" "$work/proxy.log"; then fail "the over-long post reached the proxy"; fi

# With the proxy gone, the program still reads a sentence.
kill "$proxy_pid"
wait "$proxy_pid" || true
answer=$(post --field "Tuesday" --field "Rest day." --field Joe || true)
[ "$answer" = "Failed: The posting service is not available. Try again later." ] ||
    fail "a post with the proxy stopped answered '$answer'"

stop
for pid in "$nginx_pid" "$proxy_pid"; do
    if kill -0 "$pid" 2>/dev/null; then fail "process $pid still runs"; fi
done
if [ "$failures" -ne 0 ]; then
    echo "--- proxy log"
    cat "$work/proxy.log"
    echo "--- nginx error log"
    cat "$work/nginx/error.log"
    exit 1
fi
echo "nginx_test: every check passed"
