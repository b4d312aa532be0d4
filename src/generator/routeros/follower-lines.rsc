## Opens each step of up to 32 lines of the follower's comment.
:global QvWans
