#!/usr/bin/env bash
# The bash completion of ostrel against the built tool: each case is a
# command line typed so far (the cursor at its end) and the words the
# completion must offer, in any order.
#
#   completion_test.sh COMPLETION_FILE OSTREL
set -euo pipefail
completion=$1
tool_folder=$(dirname "$(realpath "$2")")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/mail/Inbox-notes" "$scratch/mail/Junk-old"
touch "$scratch/mail/letter.txt"

# One case a line: "typed so far|expected words".
cases=$(cat <<CASES
ostrel |add-key boxes check-mail decrypt-file decrypt-text delete empty-trash encrypt-file encrypt-text generate-key import-attachment import-message key-check keys keyspace list send set-options show
ostrel enc|encrypt-file encrypt-text
ostrel -|--help
ostrel show |In Sent Junk Trash
ostrel show T|Trash
ostrel show In |
ostrel show In 3 --d|--decrypt
ostrel show --folder $scratch/mail |In Sent Junk Trash
ostrel --folder $scratch/mail list J|Junk
ostrel list --folder=$scratch/mail J|Junk
ostrel delete Junk 2 --|--folder --help
ostrel send --|--folder --to --subject --encrypt --attach --help
ostrel keyspace --|--key --work --help
ostrel encrypt-file --|--key --folder --work --help
ostrel set-options --p|--pop-server --password-stdin
ostrel boxes --folder $scratch/mail/|$scratch/mail/Inbox-notes $scratch/mail/Junk-old
ostrel send --attach $scratch/mail/le|$scratch/mail/letter.txt
ostrel encrypt-file --key 123 $scratch/mail/le|$scratch/mail/letter.txt
ostrel import-message $scratch/mail/J|$scratch/mail/Junk-old
ostrel add-key --folder $scratch/mail |
ostrel list -- |In Sent Junk Trash
CASES
)

failures=0
while IFS='|' read -r typed expected; do
  # The words of the line, and an empty last word when it ends in a blank.
  read -r -a words <<<"$typed"
  if [[ $typed == *" " ]]; then words+=(""); fi
  # bash hands "--option=value" over as three words.
  split=()
  for word in "${words[@]}"; do
    if [[ $word == --*=* ]]; then
      split+=("${word%%=*}" "=" "${word#*=}")
    else
      split+=("$word")
    fi
  done
  offered=$(PATH="$tool_folder:$PATH" bash -c '
    source "$1"
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    _ostrel
    printf "%s\n" "${COMPREPLY[@]}"' completion "$completion" "${split[@]}" | sed '/^$/d' | sort | tr '\n' ' ')
  # shellcheck disable=SC2086 # the expected words are split on purpose
  wanted=$(printf '%s\n' $expected | sed '/^$/d' | sort | tr '\n' ' ')
  if [ "$offered" != "$wanted" ]; then
    echo "FAILED: \"$typed\" offered [$offered], expected [$wanted]" >&2
    failures=$((failures + 1))
  fi
done <<<"$cases"

if [ "$failures" -ne 0 ]; then
  echo "$failures completion case(s) failed" >&2
  exit 1
fi
echo "every completion case offered what it should"
