"""Prints the fields of a message as Python's email package reads them, so a
test can check that a message built by the program is read the same way by
an independent parser."""
import email
import email.policy
import sys

with open(sys.argv[1], "rb") as source:
    message = email.message_from_binary_file(source, policy=email.policy.default)

defects = len(message.defects) + sum(len(part.defects) for part in message.walk())
print(f"defects: {defects}")
print(f"from: {message['From']}")
print(f"to: {message['To']}")
print(f"subject: {message['Subject']}")
print(f"has date: {'yes' if message['Date'] and message['Date'].datetime else 'no'}")
print(f"has message-id: {'yes' if message['Message-ID'] else 'no'}")
print(f"mime-version: {message['MIME-Version']}")
body = message.get_body(preferencelist=("plain",))
print("text: " + body.get_content().replace("\r", "").replace("\n", "\\n"))
for part in message.iter_attachments():
    payload = part.get_payload(decode=True)
    print(f"attachment: {part.get_filename()} {len(payload)} {sum(payload) % 65521}")
