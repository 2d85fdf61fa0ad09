#!/bin/bash
# Installs the localhost TLS certificate that the Zentrope daemon serves HTTPS
# with, and makes this machine trust it. Run it as the logged-in user:
#
#     /bin/bash install-localhost-cert.sh
#
# In ~/.zentrope/certs (mode 0700) it keeps
#   ca.crt, ca.key                a local certificate authority, "Zentrope Local CA",
#                                 limited by name constraints to localhost and 127.0.0.1
#   localhost.crt, localhost.key  the daemon's certificate for DNS:localhost and
#                                 IP:127.0.0.1, signed by that CA, valid for 825 days
# (keys 0600), and it trusts the CA:
#   Linux  /usr/local/share/ca-certificates + update-ca-certificates (or the
#          anchors of update-ca-trust), through sudo or pkexec unless run as root
#   macOS  the login keychain, as a root trusted for SSL
# Then it checks the certificate as Zentrope does: valid for at least another
# day, and trusted for SSL. It exits 0 only when both hold, 1 otherwise, and
# prints its progress and every error. With everything already in order it
# changes nothing. A CA that is still good is kept, so renewing an expired
# certificate needs no administrator rights.
#
# Environment:
#   ZENTROPE_CERT_TRUST_DIR  For tests. The trust step then only copies the CA
#       into this folder as zentrope-local-ca.crt and concatenates every *.crt
#       there into ca-bundle.pem: the system is not touched and no administrator
#       rights are asked for. The trust check is openssl's on every system then,
#       so point SSL_CERT_FILE at "$ZENTROPE_CERT_TRUST_DIR/ca-bundle.pem".
set -euo pipefail
umask 022

readonly OPENSSL=/usr/bin/openssl
readonly CA_NAME="Zentrope Local CA"
readonly DAY=86400
readonly SERVER_DAYS=825
readonly CA_DAYS=3650
readonly TRUST_DIR="${ZENTROPE_CERT_TRUST_DIR:-}"
SYSTEM="$(uname -s)"
readonly SYSTEM

say() { printf '%s\n' "$*"; }
fail() {
    printf 'Error: %s\n' "$*" >&2
    exit 1
}

# Runs a command quietly; on failure shows what it said, then fails with $1.
quietly() {
    local what="$1" output
    shift
    if ! output="$("$@" 2>&1)"; then
        printf '%s\n' "$output" >&2
        fail "$what"
    fi
}

valid_for_seconds() { "$OPENSSL" x509 -checkend "$2" -noout -in "$1" >/dev/null 2>&1; }

trusted_for_ssl() {
    if [[ -z "$TRUST_DIR" && "$SYSTEM" == Darwin ]]; then
        /usr/bin/security verify-cert -p ssl -c "$1" >/dev/null 2>&1
    else
        "$OPENSSL" verify -purpose sslserver "$1" >/dev/null 2>&1
    fi
}

# The certificate $1 belongs to the private key $2.
key_matches() {
    local from_cert from_key
    from_cert="$("$OPENSSL" x509 -noout -pubkey -in "$1" 2>/dev/null)" || return 1
    from_key="$("$OPENSSL" pkey -pubout -in "$2" 2>/dev/null)" || return 1
    [[ -n "$from_cert" && "$from_cert" == "$from_key" ]]
}

# A certificate and key pair that exists, matches and stays valid $3 seconds.
usable_pair() { [[ -f "$1" && -f "$2" ]] && key_matches "$1" "$2" && valid_for_seconds "$1" "$3"; }

make_ca() {
    cat >"$work/ca.cnf" <<EOF
[req]
distinguished_name = dn
prompt = no
x509_extensions = ca
[dn]
CN = $CA_NAME
[ca]
basicConstraints = critical, CA:TRUE, pathlen:0
keyUsage = critical, keyCertSign, cRLSign
subjectKeyIdentifier = hash
nameConstraints = critical, permitted;DNS:localhost, permitted;IP:127.0.0.1/255.255.255.255
EOF
    quietly "Could not make the $CA_NAME." \
        "$OPENSSL" req -x509 -new -newkey rsa:2048 -nodes -sha256 -days "$CA_DAYS" \
        -config "$work/ca.cnf" -keyout "$work/ca.key" -out "$work/ca.crt"
    chmod 600 "$work/ca.key"
}

# Signs a new localhost certificate with the CA in $1 (certificate) and $2 (key).
make_server_certificate() {
    cat >"$work/server.cnf" <<EOF
[req]
distinguished_name = dn
prompt = no
[dn]
CN = localhost
[server]
basicConstraints = critical, CA:FALSE
keyUsage = critical, digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
subjectAltName = DNS:localhost, IP:127.0.0.1
subjectKeyIdentifier = hash
authorityKeyIdentifier = keyid
EOF
    quietly "Could not make the localhost certificate request." \
        "$OPENSSL" req -new -newkey rsa:2048 -nodes -sha256 -config "$work/server.cnf" \
        -keyout "$work/localhost.key" -out "$work/localhost.csr"
    chmod 600 "$work/localhost.key"
    local serial
    serial="$("$OPENSSL" rand -hex 16)"
    quietly "Could not sign the localhost certificate." \
        "$OPENSSL" x509 -req -in "$work/localhost.csr" -CA "$1" -CAkey "$2" \
        -set_serial "0x$serial" -days "$SERVER_DAYS" -sha256 \
        -extfile "$work/server.cnf" -extensions server -out "$work/localhost.crt"
}

# Runs a command as root, asking for the password the way this session can.
as_root() {
    local prompt="[sudo] password for %p, to trust the $CA_NAME: "
    if [[ "$(id -u)" -eq 0 ]]; then
        "$@"
    elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        sudo -n "$@"
    elif command -v sudo >/dev/null && [[ -t 0 ]]; then
        sudo -p "$prompt" "$@"
    elif command -v pkexec >/dev/null && [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
        pkexec "$@"
    elif command -v sudo >/dev/null && { : </dev/tty; } 2>/dev/null; then
        sudo -p "$prompt" "$@"
    else
        fail "Trusting the certificate needs administrator rights, and neither sudo nor" \
            "pkexec can ask for them here. Run this script in a terminal: $0"
    fi
}

trust_ca_in_folder() {
    if ! { mkdir -p "$TRUST_DIR" &&
        cp "$1" "$TRUST_DIR/zentrope-local-ca.crt" &&
        cat "$TRUST_DIR"/*.crt >"$TRUST_DIR/ca-bundle.pem.new" &&
        mv "$TRUST_DIR/ca-bundle.pem.new" "$TRUST_DIR/ca-bundle.pem"; }; then
        fail "Could not trust the $CA_NAME in $TRUST_DIR."
    fi
}

trust_ca_on_linux() {
    local anchors update
    if command -v update-ca-certificates >/dev/null; then
        anchors=/usr/local/share/ca-certificates
        update="$(command -v update-ca-certificates)"
    elif command -v update-ca-trust >/dev/null; then
        anchors=/etc/pki/ca-trust/source/anchors
        update="$(command -v update-ca-trust)"
    else
        fail "This system has neither update-ca-certificates nor update-ca-trust; add $1 to" \
            "its trusted certificates by hand."
    fi
    say "Trusting the $CA_NAME needs administrator rights; you may be asked for your password."
    # One elevated command, so the password is asked for once.
    # shellcheck disable=SC2016 # expanded by that shell, from its arguments
    if ! as_root /bin/sh -c 'install -D -m 0644 "$1" "$2" && "$3" >/dev/null' sh \
        "$1" "$anchors/zentrope-local-ca.crt" "$update"; then
        fail "Could not add the $CA_NAME to the system's trusted certificates."
    fi
}

trust_ca_on_macos() {
    local keychain="$HOME/Library/Keychains/login.keychain-db"
    say "Trusting the $CA_NAME in the login keychain; macOS will ask for your password."
    # An older CA of ours goes first, so only one is ever trusted.
    while /usr/bin/security delete-certificate -c "$CA_NAME" "$keychain" >/dev/null 2>&1; do :; done
    quietly "Could not trust the $CA_NAME in the login keychain." \
        /usr/bin/security add-trusted-cert -r trustRoot -p ssl -k "$keychain" "$1"
}

trust_ca() {
    if [[ -n "$TRUST_DIR" ]]; then
        say "Trusting the $CA_NAME in $TRUST_DIR."
        trust_ca_in_folder "$1"
    elif [[ "$SYSTEM" == Darwin ]]; then
        trust_ca_on_macos "$1"
    else
        trust_ca_on_linux "$1"
    fi
}

[[ -n "${HOME:-}" ]] || fail "HOME is not set."
[[ -x "$OPENSSL" ]] || fail "$OPENSSL is missing; install OpenSSL, then try again."

certs="$HOME/.zentrope/certs"
mkdir -p "$certs" || fail "Could not create $certs."
chmod 700 "$certs"
cert="$certs/localhost.crt"
key="$certs/localhost.key"

# A run killed outright leaves its work folder, keys and all; the process
# id in the name tells whether that run is gone.
for stale in "$certs"/.install.*; do
    [[ -d "$stale" ]] || continue
    owner="${stale##*/.install.}"
    owner="${owner%%.*}"
    if [[ ! "$owner" =~ ^[0-9]+$ ]] || ! kill -0 "$owner" 2>/dev/null; then
        rm -rf "$stale"
    fi
done

if usable_pair "$cert" "$key" "$DAY" && trusted_for_ssl "$cert"; then
    chmod 600 "$key"
    say "The localhost certificate is in place, valid and trusted; nothing to do."
    exit 0
fi

work="$(mktemp -d "$certs/.install.$$.XXXXXX")" || fail "Could not create a folder in $certs."
trap 'rm -rf "$work"' EXIT

# The CA must outlive the certificate it signs.
if usable_pair "$certs/ca.crt" "$certs/ca.key" "$((SERVER_DAYS * DAY))"; then
    say "Using the existing $CA_NAME."
    ca_crt="$certs/ca.crt"
    ca_key="$certs/ca.key"
else
    say "Making the $CA_NAME…"
    make_ca
    ca_crt="$work/ca.crt"
    ca_key="$work/ca.key"
fi

say "Making the localhost certificate…"
make_server_certificate "$ca_crt" "$ca_key"

if ! trusted_for_ssl "$work/localhost.crt"; then
    trust_ca "$ca_crt"
    trusted_for_ssl "$work/localhost.crt" ||
        fail "The $CA_NAME was added, but the certificate is still not trusted for SSL."
fi

# Only now, with everything made and trusted, are the old files replaced.
if [[ "$ca_crt" == "$work/ca.crt" ]]; then
    mv -f "$work/ca.key" "$certs/ca.key"
    mv -f "$work/ca.crt" "$certs/ca.crt"
fi
mv -f "$work/localhost.key" "$key"
mv -f "$work/localhost.crt" "$cert"

say "Checking the certificate…"
valid_for_seconds "$cert" "$DAY" || fail "$cert expires within a day."
trusted_for_ssl "$cert" || fail "$cert is not trusted for SSL."
say "Installed $cert, valid and trusted for SSL."
